#pragma once

#include "platform.h"

#include <QPointer>
#include <QWidget>

#include <optional>

namespace mensurio {

// The platform on Qt widgets: QInputDialog and QMessageBox, application-modal, so that no window
// of the program takes input while a box is open.
class QtPlatform : public Platform {
public:
    using Platform::messageBox;

    // The boxes belong to the main window: the input box opens beside it, the others over it.
    void setDialogParent(QWidget* dialogParent) { dialogParent_ = dialogParent; }

    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override;
    void messageBox(std::string_view prompt, std::string_view title,
                    std::string_view note) override;
    void reportError(std::string_view message) override;
    void endProgram() override;

private:
    QPointer<QWidget> dialogParent_;
};

QString toQString(std::string_view text);

// Moves a window that is about to open, never resizing it, so that its frame's top-left corner
// lies at frameCorner (by default where the window's own position puts it), or as near to it as
// keeps the window inside the available area of its screen; on a screen smaller than the window,
// its top-left corner stays on the screen. A desktop that places windows itself has the last word.
void keepOnScreen(QWidget* window, std::optional<QPoint> frameCorner = std::nullopt);

} // namespace mensurio
