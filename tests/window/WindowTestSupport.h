#pragma once

#include "ui/TMainForm.h"

#include <QApplication>
#include <QObject>
#include <QString>

namespace windowtest {

// The application and the shared window are never destroyed: torn down among the exit
// handlers they would reach parts of Qt that are already gone (the font cache, the input
// devices QTest creates) and crash the process after the tests passed.
inline void ensureApp()
{
    static int argc = 1;
    static char name[] = "window_test";
    static char *argv[] = {name, nullptr};
    [[maybe_unused]] static QApplication *app = new QApplication(argc, argv);
}

// One window in its design state, shared by the tests that only read it.
inline ui::TMainForm &designForm()
{
    ensureApp();
    static ui::TMainForm *form = new ui::TMainForm;
    return *form;
}

inline QString latin(const char *text)
{
    return QString::fromLatin1(text);
}

inline QString channelName(const char *stem, int channel)
{
    return latin(stem) + QString::number(channel);
}

// The one object of that name below the window; null when there is none or more than one.
inline QObject *unique(const QObject &root, const QString &name)
{
    const auto found = root.findChildren<QObject *>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace windowtest
