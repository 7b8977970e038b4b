#pragma once

#include "ui/Frame.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Shape.h"
#include "ui/Window.h"

#include <cstdint>

// The small window that counts the pictures while a board is built. Making it
// loads it, and loading shows it; each build loads it again, so the bar starts
// empty every time. It stays above its owner, the main window, without being
// modal.
class FormProgress : public ui::Window
{
    Q_OBJECT

public:
    explicit FormProgress(ui::Window* owner = nullptr);

    // The value that means a full bar.
    void setMax(std::int32_t val);
    // Sets the bar for `val` steps done, loading the window again first if the
    // player has closed it. Nothing is repainted until the caller lets pending
    // window events run.
    void update(std::int32_t val);
    using QWidget::update;

    std::int32_t maxValue() const { return progressMax; }
    std::int32_t fullBarWidth() const { return barMaxWidth; }

    ui::Frame Frame1;
    ui::Label Label1;
    ui::Image imgProgress;
    ui::Shape Shape1;

private:
    void Form_Load();

    std::int32_t progressMax = 0;
    std::int32_t barMaxWidth = 0;
};
