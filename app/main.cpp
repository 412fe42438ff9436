#include "ui/frmMain.h"

#include <QApplication>

namespace {

class AppShell : public vesk::Shell {
  public:
    void load(vesk::frmMain&) override {}
    void unload(vesk::frmMain&) override { QApplication::exit(0); }
    void exitClicked(vesk::frmMain&) override { QApplication::exit(0); }
    void aboutClicked(vesk::frmMain&) override {}
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AppShell shell;
    vesk::frmMain form(&shell);
    form.Form_Load();
    form.show();
    return app.exec();
}
