// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window in Qt widgets: made from main_layout.h, with its events
// routed to the handlers of frmMain, whose reads and writes it carries out.
#pragma once

#include "ui/contrast.h"
#include "ui/frmMain.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace vesk {

class ScrollBar;
class TextBox;

class MainWindow : public QWidget, private frmMain::Controls {
    Q_OBJECT

  public:
    // What to build. A copy that hands over to a running one never shows its
    // window, so it needs only the window and its caption; the controls (whose
    // text box alone would load every font on the system) are left out.
    enum class Build { Everything, WindowOnly };

    // Creates the window and its controls from the layout table, hidden.
    explicit MainWindow(Shell* shell = nullptr, Build build = Build::Everything);

    frmMain& handlers() { return form_; }

    // Paints the window in the colours for `contrast`, the results in the
    // colours the program last gave them.
    void setContrast(layout::Contrast contrast);

  Q_SIGNALS:
    // After every recalculation, once the three result labels are written.
    void resultsShown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::string Text(frmMain::Id control) const override;
    void SetText(frmMain::Id control, std::string_view text) override;
    int Value(frmMain::Id control) const override;
    void SetValue(frmMain::Id control, int position) override;
    void SetForeColor(frmMain::Id control, Rgb colour) override;
    void ResultsShown(const std::string& said) override;

    frmMain form_;
    TextBox* txtVesk_ = nullptr;
    ScrollBar* hsbVesk_ = nullptr;
    QLabel* labels_[main_layout::kControlCount] = {};
    std::vector<QWidget*> controls_;
    std::optional<Rgb> given_[main_layout::kControlCount]; // by SetForeColor
};

} // namespace vesk
