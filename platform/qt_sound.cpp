#include "platform/qt_sound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt_text.h"

namespace platform {

QtSoundService::QtSoundService() = default;
QtSoundService::~QtSoundService() = default;

void QtSoundService::PlayOnce(const std::filesystem::path& waveFile)
{
    Play(waveFile, 1);
}

void QtSoundService::PlayLoop(const std::filesystem::path& waveFile)
{
    Play(waveFile, QSoundEffect::Infinite);
}

void QtSoundService::Play(const std::filesystem::path& waveFile, int loops)
{
    Stop();
    if (waveFile.empty())
        return;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    // The effect loads asynchronously and starts once loaded; a file that
    // cannot be decoded, or a missing device, leaves it silent.
    m_effect->setSource(QUrl::fromLocalFile(ToQString(waveFile.string())));
    m_effect->setLoopCount(loops);
    m_effect->play();
}

void QtSoundService::Stop()
{
    if (m_effect)
        m_effect->stop();
}

void QtSoundService::Beep()
{
    QApplication::beep();
}

}  // namespace platform
