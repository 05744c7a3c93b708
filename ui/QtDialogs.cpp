#include "ui/QtDialogs.h"

#include "ui/TformPickPort.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <utility>

namespace ui {

namespace {

using Button = transport::UserDialogs::Button;
using Kind = transport::UserDialogs::Kind;

constexpr std::pair<Button, QMessageBox::StandardButton> kButtons[] = {
    {Button::Ok, QMessageBox::Ok},         {Button::Cancel, QMessageBox::Cancel},
    {Button::Yes, QMessageBox::Yes},       {Button::No, QMessageBox::No},
    {Button::Abort, QMessageBox::Abort},   {Button::Retry, QMessageBox::Retry},
    {Button::Ignore, QMessageBox::Ignore},
};

QMessageBox::StandardButton toQt(Button b)
{
    for (const auto &[ours, qt] : kButtons) {
        if (ours == b)
            return qt;
    }
    return QMessageBox::NoButton;
}

// A box closed without a button (Escape where no button means "back out") counts as the
// most cautious button offered.
Button fromQt(int qt, const QList<Button> &offered)
{
    for (const auto &[ours, theirs] : kButtons) {
        if (theirs == qt && offered.contains(ours))
            return ours;
    }
    for (Button careful : {Button::Cancel, Button::No, Button::Abort, Button::Ok}) {
        if (offered.contains(careful))
            return careful;
    }
    return offered.isEmpty() ? Button::Ok : offered.front();
}

// A box that comes up while the window shows the busy cursor (the loss question during a
// read-back) takes input, and shows the normal pointer while it is open.
class NormalPointer {
public:
    NormalPointer() : m_pushed(QApplication::overrideCursor() != nullptr)
    {
        if (m_pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer()
    {
        if (m_pushed)
            QApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    bool m_pushed;
};

std::optional<QString> runFileDialog(QWidget *parent, const transport::UserDialogs::FileChoice &c,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, c.title, c.directory.isEmpty() ? QDir::currentPath() : c.directory,
                       QtDialogs::qtFilter(c.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(c.defaultSuffix);
    // A settings file chosen for saving replaces an older one of that name without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, mode == QFileDialog::AcceptSave);
    const NormalPointer pointer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

Button QtDialogs::message(Kind kind, const QString &text, const QList<Button> &buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Information");
    if (kind == Kind::Warning) {
        icon = QMessageBox::Warning;
        title = QStringLiteral("Warning");
    } else if (kind == Kind::Error) {
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
    }
    QMessageBox::StandardButtons qtButtons;
    for (Button b : buttons)
        qtButtons |= toQt(b);
    if (buttons.isEmpty())
        qtButtons = QMessageBox::Ok;
    QMessageBox box(icon, title, text, qtButtons, m_parent);
    const NormalPointer pointer;
    return fromQt(box.exec(), buttons);
}

std::optional<int> QtDialogs::pickPort(const PortChoice &choice)
{
    TformPickPort dialog(m_parent);
    for (qsizetype i = 0; i < choice.entries.size(); ++i) {
        dialog.listPorts->addItem(choice.entries.at(i));
        dialog.listPorts->setItemData(int(i), choice.toolTips.value(i), Qt::ToolTipRole);
    }
    dialog.listPorts->setCurrentIndex(choice.preselected);
    const NormalPointer pointer;
    if (dialog.exec() != QDialog::Accepted || dialog.listPorts->currentIndex() < 0)
        return std::nullopt;
    return dialog.listPorts->currentIndex();
}

std::optional<QString> QtDialogs::saveFile(const FileChoice &choice)
{
    return runFileDialog(m_parent, choice, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::openFile(const FileChoice &choice)
{
    return runFileDialog(m_parent, choice, QFileDialog::AcceptOpen);
}

QString QtDialogs::qtFilter(const QString &filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString &p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                patterns << p.trimmed();
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        entries << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace ui
