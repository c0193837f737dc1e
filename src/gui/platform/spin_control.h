#pragma once
// The spin control: a vertical pair of arrow buttons holding an integer value
// between a minimum and a maximum, moved by its step on each arrow press.
//
// A press on an arrow raises UpClick or DownClick; when it also changes the
// value, the control first writes the value into its buddy text box (if it
// has one) and raises Change. The value stops at the limits. Held down, an
// arrow repeats as a native spin arrow does. With the keyboard focus, the Up
// and Down keys press the arrows.
//
// A number typed into the buddy is what the next arrow press steps from,
// rounded to a whole number and held within the range; the buddy is then
// written even when the step leaves the value where it was, so that the box
// never goes on showing a number the control does not hold.

#include <QWidget>

#include <chrono>
#include <optional>

class QTimer;

namespace platform {

class TextBox;

class SpinControl : public QWidget {
    Q_OBJECT

public:
    explicit SpinControl(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    void SetStep(int step) { step_ = step; }
    // Sets the value at start, without writing the buddy or raising Change.
    void SetInitialValue(int value);
    // Sets the value (kept within the range) like an arrow press would: the
    // buddy is written and Change raised when the value changes.
    void SetValue(int value);
    void SetBuddy(TextBox* buddy) { buddy_ = buddy; }
    // Held down, an arrow steps once, waits `threshold`, then steps every
    // `interval`. Unless set here, both come from the style.
    void SetRepeatDelays(std::chrono::milliseconds threshold, std::chrono::milliseconds interval);

    int Value() const { return value_; }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Step() const { return step_; }
    TextBox* Buddy() const { return buddy_; }

    // One press of an arrow, as a click on it does.
    void PressUp();
    void PressDown();

    // The two arrows' rectangles in the control's coordinates.
    QRect UpArrowRect() const;
    QRect DownArrowRect() const;

signals:
    void Change();
    void UpClick();
    void DownClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Arrow { None, Up, Down };

    // A number typed into the buddy, as the value the next step starts from.
    struct TypedValue {
        int value;
        bool adjusted;  // rounded or clamped: the buddy shows another number
    };

    void Press(Arrow arrow);
    std::optional<TypedValue> BuddyValue() const;
    void Commit(int value, bool writeBuddy);
    int RepeatThresholdMs() const;
    int RepeatIntervalMs() const;
    void StopRepeat();
    void Repeat();
    Arrow ArrowAt(QPoint position) const;

    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
    int step_ = 1;
    TextBox* buddy_ = nullptr;

    std::optional<std::chrono::milliseconds> repeatThreshold_, repeatInterval_;
    Arrow held_ = Arrow::None;    // arrow under a pressed mouse button
    bool heldInside_ = false;     // the pointer is still over the held arrow
    QTimer* repeat_;
};

}  // namespace platform
