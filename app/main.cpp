#include "app/form1.h"

#include "runtime/events.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    Form1 form;
    rt::dispatch([&form] { form.Form_Load(); });
    if (rt::ending()) return 0;
    form.show();
    return app.exec();
}
