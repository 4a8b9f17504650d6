#include "FuzzHarness.h"

#include <cstdlib>
#include <unistd.h>

namespace FuzzHarness
{
namespace
{
juce::File root()
{
    static const juce::File folder = []
    {
        const juce::File f = juce::File::getSpecialLocation(juce::File::tempDirectory)
                                 .getChildFile("teloma-fuzz-" + juce::String(static_cast<int>(getpid())));
        f.getChildFile("user/Tables").createDirectory();
        f.getChildFile("settings").createDirectory();
        setenv("TELOMA_USER_FOLDER", f.getChildFile("user").getFullPathName().toRawUTF8(), 1);
        setenv("TELOMA_SETTINGS_FOLDER", f.getChildFile("settings").getFullPathName().toRawUTF8(), 1);
        setenv("TELOMA_FACTORY_FOLDER", f.getChildFile("factory").getFullPathName().toRawUTF8(), 1);
        return f;
    }();
    return folder;
}
} // namespace

juce::File userTable()
{
    return root().getChildFile("user/Tables/Fuzz.wav");
}

Brantor2Processor& processor()
{
    // Never shut down: the process ends while the processor still lives.
    static const auto* juce = new juce::ScopedJuceInitialiser_GUI();
    (void)juce;
    static Brantor2Processor* instance = []
    {
        userTable().replaceWithText("placeholder");
        return new Brantor2Processor();
    }();
    return *instance;
}

void checkParameters()
{
    for (auto* p : static_cast<juce::AudioProcessor&>(processor()).getParameters())
    {
        const float v = p->getValue();
        if (!(v >= 0.0f && v <= 1.0f))
            std::abort();
    }
}
} // namespace FuzzHarness
