#pragma once

#include <QPixmap>
#include <QString>
#include <QTreeWidget>

#include <vector>

namespace velmora::platform {

// A list in report view: one column with a header, a border, single selection, items with a
// small picture each cut from one image strip. Its highlight shows only while it has the
// keyboard focus. mouseClicked is emitted for every mouse click inside the list (after the
// selection has followed the click; a click on empty space clears it); selecting with the
// keyboard alone emits nothing.
class StyleList : public QTreeWidget {
    Q_OBJECT
public:
    explicit StyleList(QWidget* parent = nullptr);

    void setColumn(const QString& title, int widthPixels);
    // Cuts the strip into pictures sliceWidth pixels wide (the strip's full height); item i
    // shows picture i.
    void setImageStrip(const QPixmap& strip, int sliceWidth);
    void addItem(const QString& text);

    // Rows selected, in order, and the text of each.
    std::vector<int> selectedRows() const;
    QString itemText(int row) const;

signals:
    void mouseClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showHighlight(bool show);
    void updateIcons();

    std::vector<QPixmap> slices_;
};

} // namespace velmora::platform
