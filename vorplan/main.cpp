#include <QApplication>
#include <cstdio>

#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorplan"));

    vor::SetupDirectories();
    const int missing = vor::CheckDataFolders();
    if (missing > 0) {
        std::fprintf(stderr, "vorplan: data folders missing below %s (code %d)\n",
                     vor::gShared.folders.base.c_str(), missing);
        return 1;
    }
    return 0;
}
