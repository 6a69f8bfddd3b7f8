#pragma once

#include "platform/MessageBoxes.h"

class QWidget;

namespace platform {

// Shows real QMessageBoxes. The owner is not owned: it must outlive this object
// or be reset with SetOwner (nullptr for boxes without owner).
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}

    void SetOwner(QWidget* owner) { owner_ = owner; }
    int Show(const std::string& text, const std::string& caption, unsigned style) override;

private:
    QWidget* owner_;
};

} // namespace platform
