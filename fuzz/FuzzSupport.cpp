#include "fuzz/FuzzSupport.h"

#include <QCoreApplication>

namespace fuzzsupport {

void ensureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

} // namespace fuzzsupport
