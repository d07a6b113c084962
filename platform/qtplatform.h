#pragma once

#include "platform.h"

#include <QDialog>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <optional>
#include <utility>

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

// The window manager's frame is known only around a window already shown (a program window, not
// a tooltip or a box); before one is, allow for a common title bar and border.
QMargins frameMargins();

// Opens a box of a conversion beside the main window, so that the chosen formula stays in sight:
// just below it where its screen has room, else above, else to its right, else to its left, and
// only else over it. A message box learns its size only as it is shown, so the box is placed
// then, before the window system maps it; and again by its own frame once framed (when first
// activated), since a window manager may frame a box without the main window's resize handle.
template <class Box> struct BesideBox : Box {
    using Box::Box;
    bool event(QEvent* event) override
    {
        const bool handled = Box::event(event);
        if (event->type() == QEvent::Show && !event->spontaneous()) // not when restored
            place(frameMargins());
        if (event->type() == QEvent::WindowActivate && !std::exchange(framed_, true))
            place(this->windowHandle()->frameMargins());
        return handled;
    }
    void place(const QMargins& frame)
    {
        const QWidget* window = this->parentWidget();
        if (!window)
            return;
        const QRect main = window->frameGeometry(), area = window->screen()->availableGeometry();
        const QSize size = this->size().grownBy(frame);
        const int x = main.center().x() - size.width() / 2;
        QPoint corner(x, main.center().y() - size.height() / 2); // over it: no side has room
        if (main.bottom() + size.height() <= area.bottom())
            corner = {x, main.bottom() + 1};
        else if (main.top() - size.height() >= area.top())
            corner = {x, main.top() - size.height()};
        else if (main.right() + size.width() <= area.right())
            corner = {main.right() + 1, main.top()};
        else if (main.left() - size.width() >= area.left())
            corner = {main.left() - size.width(), main.top()};
        keepOnScreen(this, corner); // a place on no screen keeps it on its own, its parent's
    }
    bool framed_ = false;
};

// A box is made at the desktop's origin, and a message box sizes itself for the screen where it
// lies: it starts where the main window is. As narrow as its contents, it would cut its title
// down in a title bar ("yar...hes" for a result of 72, "Mens... ut box" for the input box); leave
// room for the title beside the window frame's icon and buttons.
void fitBox(QDialog& box);

} // namespace mensurio
