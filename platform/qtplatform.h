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

    // The boxes belong to the main window and open beside it.
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
// lies at frameCorner (by default where its own position puts it), or as near as keeps it inside
// the available area of the screen it is wanted on, else of its own; a window larger than the
// screen keeps its top-left corner on it. A desktop that places windows itself has the last word.
void keepOnScreen(QWidget* window, std::optional<QPoint> frameCorner = std::nullopt);

} // namespace mensurio
