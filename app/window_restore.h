// Finding a top-level window by its caption and bringing it back, for a later
// copy of the program that hands over to this one.
#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace vesk {

// The first top-level window whose caption is exactly this one (case and all),
// or none.
QWidget* findTopLevelWindow(const QString& caption);

// Shows the window at its normal size, out of minimised or maximised, raises
// and activates it. A modal window open over it is raised too, since that is
// where the user's input goes. On Wayland the launch's activation token lets
// the compositor hand over the focus.
void restoreWindow(QWidget& window, const QByteArray& activationToken);

} // namespace vesk
