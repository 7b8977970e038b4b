#pragma once

class QWidget;

namespace ui {

// The twips geometry of a control. The control keeps the exact twips it was
// given (a surface 4415 twips high stays 4415, though that is 294.33 pixels) and
// shows itself at the nearest whole pixels.
class Control
{
public:
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v) { left_ = v; apply(); }
    void setTop(float v) { top_ = v; apply(); }
    void setWidth(float v) { width_ = v; apply(); }
    void setHeight(float v) { height_ = v; apply(); }
    void place(float left, float top, float width, float height);

protected:
    explicit Control(QWidget& self) : self_(self) {}
    virtual ~Control() = default;
    // Runs after the control has been given its place.
    virtual void placed() {}

private:
    void apply();

    QWidget& self_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

} // namespace ui
