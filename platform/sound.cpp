#include "platform/sound.h"

namespace platform {

namespace {

class SilentSound final : public SoundService {
public:
    void PlayOnce(const std::filesystem::path&) override {}
    void PlayLoop(const std::filesystem::path&) override {}
    void Stop() override {}
    void Beep() override {}
};

SilentSound gSilent;
SoundService* gService = &gSilent;

}  // namespace

SoundService& Sound()
{
    return *gService;
}

void SetSound(SoundService* service)
{
    gService = service ? service : &gSilent;
}

}  // namespace platform
