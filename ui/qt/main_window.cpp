// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/qt/main_window.h"

#include "ui/qt/form.h"
#include "ui/qt/icon.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/text_box.h"
#include "ui/qt/window_style.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace vesk {

using namespace main_layout;

MainWindow::MainWindow(Shell* shell, Build build) : form_(*this, shell)
{
    form::setUp(*this, kWindow);
    setGeometry(QRect(QPoint(toPixels(kDesignedLeft), toPixels(kDesignedTop)), size()));
    if (build == Build::WindowOnly)
        return;
    setWindowIcon(calculatorIcon());
    controls_ = form::build(*this, kWindow, kControls, kLines);
    const std::vector<QWidget*>& c = controls_;
    for (std::size_t i = 0; i < c.size(); ++i)
        if (kControls[i].kind == Kind::Label)
            labels_[i] = form::as<QLabel>(c[i]);
    txtVesk_ = form::as<TextBox>(c[txtVesk]);
    hsbVesk_ = form::as<ScrollBar>(c[hsbVesk]);

    hsbVesk_->setRange(kLowestPosition, kHighestPosition);
    hsbVesk_->setSingleStep(kSmallChange);
    hsbVesk_->setPageStep(kLargeChange);
    hsbVesk_->setTracking(false); // the value changes on release; sliderMoved tracks the drag

    txtVesk_->onKeyPress([this](std::uint16_t& keyAscii) { form_.txtVesk_KeyPress(keyAscii); });
    // The user's moves; the program's own assignments are quiet (SetValue),
    // and frmMain runs the change handler inside them itself.
    connect(hsbVesk_, &QScrollBar::valueChanged, this, [this] { form_.hsbVesk_Change(); });
    connect(hsbVesk_, &QScrollBar::sliderMoved, this, [this] { form_.hsbVesk_Scroll(); });
    connect(form::as<QPushButton>(c[cmdExit]), &QPushButton::clicked, this,
            [this] { form_.cmdExit_Click(); });
    connect(form::as<QPushButton>(c[cmdAbout]), &QPushButton::clicked, this,
            [this] { form_.cmdAbout_Click(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    std::int16_t cancel = 0;
    form_.Form_Unload(cancel);
    if (cancel != 0)
        event->ignore();
    else
        event->accept();
}

std::string MainWindow::Text(frmMain::Id) const
{
    return txtVesk_->text().toStdString();
}

void MainWindow::SetText(frmMain::Id control, std::string_view text)
{
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (control == txtVesk)
        txtVesk_->setText(t);
    else
        labels_[control]->setText(t);
}

// While the thumb is dragged the slider position is ahead of the value; the
// handlers want the place the user sees.
int MainWindow::Value(frmMain::Id) const
{
    return hsbVesk_->sliderPosition();
}

void MainWindow::SetValue(frmMain::Id, int position)
{
    const QSignalBlocker quiet(hsbVesk_);
    hsbVesk_->setValue(position);
}

void MainWindow::setContrast(layout::Contrast contrast)
{
    if (controls_.empty())
        return; // a window that hands over has none to paint
    form::recolour(*this, kControls, controls_, contrast);
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (given_[i])
            SetForeColor(static_cast<frmMain::Id>(i), *given_[i]);
}

void MainWindow::SetForeColor(frmMain::Id control, Rgb colour)
{
    given_[control] = colour;
    QLabel& label = *labels_[control];
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, style::toQColor(colour));
    label.setPalette(palette);
}

void MainWindow::ResultsShown(const std::string& /*said*/)
{
    Q_EMIT resultsShown();
}

} // namespace vesk
