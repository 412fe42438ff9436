// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/about_window.h"

#include "app/about_layout.h"
#include "ui/qt/form.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace vesk {

using namespace about_layout;

AboutWindow::AboutWindow()
{
    form::setUp(*this, kWindow);
    setAttribute(Qt::WA_DeleteOnClose); // the close button destroys it; OK only hides it
    controls_ = form::build(*this, kWindow, kControls, kLines);
    const std::vector<QWidget*>& c = controls_;
    form::as<QLabel>(c[Label1])->setText(QString::fromStdString(TitleLine()));
    cmdExit_ = form::as<QPushButton>(c[cmdExit]);
    connect(cmdExit_, &QPushButton::clicked, this, &AboutWindow::cmdExit_Click);
}

void AboutWindow::cmdExit_Click()
{
    hide();
}

void AboutWindow::setContrast(layout::Contrast contrast)
{
    form::recolour(*this, kControls, controls_, contrast);
}

void AboutWindow::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &AboutWindow::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    cmdExit_->setFocus(Qt::OtherFocusReason);
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
}

void AboutWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdExit_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vesk
