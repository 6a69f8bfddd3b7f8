#pragma once

#include "game/GameServices.h"

#include <QObject>

#include <memory>

class CGameWnd;

// The application: makes and shows the main window and looks at every event
// before it is delivered, so that a key or a button ends a match animation.
class CGameApp : public QObject {
    Q_OBJECT
public:
    CGameApp();
    ~CGameApp() override;

    // Creates the main window with the given services and shows it.
    CGameWnd& InitInstance(const GameServices& services);
    CGameWnd* MainWindow() const { return window_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<CGameWnd> window_;
};
