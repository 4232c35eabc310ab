#include "platform/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

namespace velmora::platform {

StyleList::StyleList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    showHighlight(hasFocus());
}

void StyleList::setColumn(const QString& title, int widthPixels)
{
    setHeaderLabels({title});
    header()->resizeSection(0, widthPixels);
}

void StyleList::setImageStrip(const QPixmap& strip, int sliceWidth)
{
    slices_.clear();
    if (sliceWidth <= 0)
        return;
    for (int x = 0; x + sliceWidth <= strip.width(); x += sliceWidth)
        slices_.push_back(strip.copy(x, 0, sliceWidth, strip.height()));
    setIconSize(QSize(sliceWidth, strip.height()));
    updateIcons();
}

void StyleList::addItem(const QString& text)
{
    new QTreeWidgetItem(this, QStringList{text});
    updateIcons();
}

void StyleList::updateIcons()
{
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        item->setIcon(0, row < static_cast<int>(slices_.size()) ? QIcon(slices_[row]) : QIcon());
    }
}

std::vector<int> StyleList::selectedRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (topLevelItem(row)->isSelected())
            rows.push_back(row);
    return rows;
}

QString StyleList::itemText(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(0) : QString();
}

void StyleList::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (!indexAt(event->position().toPoint()).isValid())
        clearSelection();
}

void StyleList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit mouseClicked();
}

void StyleList::focusInEvent(QFocusEvent* event)
{
    showHighlight(true);
    QTreeWidget::focusInEvent(event);
}

void StyleList::focusOutEvent(QFocusEvent* event)
{
    showHighlight(false);
    QTreeWidget::focusOutEvent(event);
}

void StyleList::showHighlight(bool show)
{
    // Without the focus the selected item is drawn like any other.
    QPalette colors = palette();
    const QPalette standard = QApplication::palette(this);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Highlight,
                        show ? standard.color(group, QPalette::Highlight)
                             : standard.color(group, QPalette::Base));
        colors.setColor(group, QPalette::HighlightedText,
                        show ? standard.color(group, QPalette::HighlightedText)
                             : standard.color(group, QPalette::Text));
    }
    setPalette(colors);
    viewport()->update();
}

} // namespace velmora::platform
