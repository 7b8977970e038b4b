#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

namespace ui {

class Button;

// A window of the game. Its geometry is in twips. A window is "loaded" from its
// load() (which each window calls once its controls are made, or which a caller
// calls again after an unload) until it is unloaded; the program's list of open
// windows is the loaded ones, in the order they were loaded.
class Window : public QWidget
{
    Q_OBJECT

public:
    enum class Border { Sizable, FixedDialog };

    Window(const QString& caption, int clientWidth, int clientHeight, Border border);
    ~Window() override;

    // Loading runs onLoad (the window's load step); unloading hides the window
    // and runs onUnload. Neither destroys the object.
    void load();
    void unload();
    bool isLoaded() const { return loaded_; }
    static QList<Window*> openWindows();

    void showModeless();
    // Keeps the window above its owner, as a dialog of the owner's, without
    // making it modal.
    void setOwner(Window* owner);
    // Modal through the platform, so a test can answer it.
    void showModal(Window* owner);
    // Used by the real platform: shows modally and returns when closed.
    void runModal(Window* owner);
    // Repaints at once: runs onPaint, then paints the window's controls.
    void refresh();

    bool isMinimised() const;
    // The client area in twips.
    float clientLeft() const { return 0; }
    float clientWidth() const;
    float clientHeight() const;
    // Sets the client area's size in twips.
    void setClientSize(float width, float height);
    // The window's frame on the screen, in twips.
    float outerTop() const;
    float outerHeight() const;
    // The height of the screen the window is on, in twips.
    float screenHeight() const;
    // The screen's size in device pixels: no picture needs to be larger.
    QSize screenDevicePixels() const;

    // Places the window at a screen position in twips.
    void moveTo(float left, float top);
    void centreOnScreen();
    void setShowInTaskbar(bool show);
    // Key preview: every key release inside the window reaches onKeyUp first;
    // setting the code to 0 marks the key as handled.
    void setKeyPreview(bool on) { keyPreview_ = on; }
    // The button that Enter presses, wherever the focus is in the window.
    void setDefaultButton(Button* button);

    std::function<void()> onLoad;
    std::function<void()> onUnload;
    std::function<void()> onResize;
    std::function<void()> onPaint;
    std::function<void(int& keyCode, int shift)> onKeyUp;


signals:
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool loaded_ = false;
    bool keyPreview_ = false;
    bool wasMinimised_ = false;
    Button* defaultButton_ = nullptr;
};

} // namespace ui
