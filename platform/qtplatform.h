#pragma once

#include "platform.h"

#include <QPointer>
#include <QWidget>

namespace mensurio {

// The platform on Qt widgets: QInputDialog and QMessageBox, application-modal, so that no window
// of the program takes input while a box is open.
class QtPlatform : public Platform {
public:
    using Platform::messageBox;

    // Boxes are centred on dialogParent when there is one.
    explicit QtPlatform(QWidget* dialogParent = nullptr);
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

} // namespace mensurio
