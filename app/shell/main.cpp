#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Roror");
    QApplication::setOrganizationName("Roror");

    QWidget window;
    window.setWindowTitle("Roror");
    window.setMinimumSize(980, 720);
    window.resize(1180, 780);
    window.show();
    return app.exec();
}
