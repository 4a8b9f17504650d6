// The main of the test programs that use JUCE: it is initialised once for the whole run.

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

namespace
{
class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { juce.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
};
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new JuceEnvironment());
    return RUN_ALL_TESTS();
}
