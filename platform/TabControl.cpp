#include "platform/TabControl.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace velmora::platform {

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this))
{
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setUsesScrollButtons(true);
    setFocusPolicy(Qt::NoFocus);
    connect(bar_, &QTabBar::currentChanged, this, &TabControl::selectionChanged);
}

int TabControl::addTab(const QString& caption)
{
    const QSignalBlocker quiet(bar_);  // the first tab becomes current: not the user's change
    const int index = bar_->addTab(caption);
    bar_->resize(width(), bar_->sizeHint().height());
    update();
    return index;
}

int TabControl::count() const
{
    return bar_->count();
}

int TabControl::currentIndex() const
{
    return bar_->currentIndex();
}

void TabControl::selectQuietly(int index)
{
    const QSignalBlocker quiet(bar_);
    bar_->setCurrentIndex(index);
    update();
}

QRect TabControl::frameRect() const
{
    // The strip overlaps the frame's top line by the style's overlap, as a tab widget's does.
    QStyleOptionTab tab;
    tab.shape = bar_->shape();
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &tab, this);
    const int top = bar_->count() ? bar_->height() - overlap : 0;
    return QRect(0, top, width(), height() - top);
}

void TabControl::paintEvent(QPaintEvent*)
{
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = frameRect();
    frame.shape = bar_->shape();
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    if (bar_->currentIndex() >= 0)
        frame.selectedTabRect = bar_->tabRect(bar_->currentIndex()).translated(bar_->pos());
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent*)
{
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

} // namespace velmora::platform
