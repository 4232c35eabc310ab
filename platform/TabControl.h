#pragma once

#include <QString>
#include <QWidget>

class QTabBar;

namespace velmora::platform {

// A tab strip above a frame. The pages' controls are the dialog's own children laid over the
// frame; this control only draws the tabs and the frame and reports the user's tab changes.
// It takes no keyboard focus, so it is not in the Tab order.
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    int addTab(const QString& caption);
    int count() const;
    int currentIndex() const;
    // Selects a tab without emitting selectionChanged (as a program's selection does not).
    void selectQuietly(int index);
    QTabBar* tabBar() const { return bar_; }
    // The frame's rectangle below the strip, in this control's coordinates.
    QRect frameRect() const;

signals:
    // The user selected another tab.
    void selectionChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
};

} // namespace velmora::platform
