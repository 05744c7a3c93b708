#pragma once

#include <QListWidget>
#include <QString>

namespace ui {

// A list of check items laid out in columns: items run top to bottom and wrap into the next
// column when the list's height is full, each column taking an equal share of the width.
// OnClickCheck reports a mark the user changed (mouse or keyboard), after the change; marks
// set from code, through this class or through the items themselves, raise nothing.
class TCheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TCheckListBox(QWidget *parent = nullptr);
    ~TCheckListBox() override;

    void AddItem(const QString &text);
    void DeleteItem(int index);

    // Out-of-range indexes read as unchecked and are ignored on writing.
    bool Checked(int index) const;
    void setChecked(int index, bool on);

    int Columns() const;
    void setColumns(int columns);
    void setHeight(int height);

Q_SIGNALS:
    void OnClickCheck(ui::TCheckListBox *sender, int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layoutColumns();

    int m_columns = 1;
};

} // namespace ui
