#include <cstdio>

#include "platform/guarded_application.h"
#include "platform/qt_message_service.h"
#include "platform/qt_sound.h"
#include "vorplan/common/data_folders.h"
#include "vorplan/common/globals.h"

int main(int argc, char* argv[])
{
    platform::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorplan"));
    platform::QtMessageService messages;
    platform::SetMessages(&messages);
    platform::QtSoundService sound;
    platform::SetSound(&sound);

    vor::SetupDirectories();
    const int missing = vor::CheckDataFolders();
    int status = 0;
    if (missing > 0) {
        std::fprintf(stderr, "vorplan: data folders missing below %s (code %d)\n",
                     vor::gShared.folders.base.c_str(), missing);
        status = 1;
    }
    platform::SetSound(nullptr);
    platform::SetMessages(nullptr);
    return status;
}
