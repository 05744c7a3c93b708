#include "ui/TCheckListBox.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QListWidgetItem>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include <algorithm>
#include <functional>

namespace ui {

namespace {

// The only path by which a user's click or key press toggles a mark is the delegate's editor
// event; watching it here, rather than the model's itemChanged, keeps marks set from code
// silent.
class CheckToggleDelegate : public QStyledItemDelegate {
public:
    CheckToggleDelegate(QObject *parent, std::function<void(int)> toggled)
        : QStyledItemDelegate(parent), m_toggled(std::move(toggled))
    {
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override
    {
        const QVariant before = index.data(Qt::CheckStateRole);
        const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
        if (handled && index.data(Qt::CheckStateRole) != before)
            m_toggled(index.row());
        return handled;
    }

private:
    std::function<void(int)> m_toggled;
};

} // namespace

TCheckListBox::TCheckListBox(QWidget *parent) : QListWidget(parent)
{
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The columns and the height are chosen to hold every item; a scroll bar would take rows
    // away from them.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(
        new CheckToggleDelegate(this, [this](int row) { Q_EMIT OnClickCheck(this, row); }));
}

TCheckListBox::~TCheckListBox() = default;

void TCheckListBox::AddItem(const QString &text)
{
    auto *item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    addItem(item);
    layoutColumns();
}

void TCheckListBox::DeleteItem(int index)
{
    if (index < 0 || index >= count())
        return;
    delete takeItem(index);
    layoutColumns();
}

bool TCheckListBox::Checked(int index) const
{
    const QListWidgetItem *it = item(index);
    return it != nullptr && it->checkState() == Qt::Checked;
}

void TCheckListBox::setChecked(int index, bool on)
{
    if (QListWidgetItem *it = item(index))
        it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

int TCheckListBox::Columns() const
{
    return m_columns;
}

void TCheckListBox::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    layoutColumns();
}

void TCheckListBox::setHeight(int height)
{
    resize(width(), height);
}

void TCheckListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    layoutColumns();
}

void TCheckListBox::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutColumns();
}

void TCheckListBox::layoutColumns()
{
    const int rowHeight = std::max(fontMetrics().height() + 2, 16);
    // The contents rectangle is current even while the list is hidden, when the viewport's
    // geometry still waits for the first show.
    const int columnWidth = std::max(1, contentsRect().width() / m_columns);
    setGridSize(QSize(columnWidth, rowHeight));
}

} // namespace ui
