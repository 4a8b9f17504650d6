#include "Brantor2PresetParser.h"
#include "Brantor2Processor.h"
#include "Fixtures.h"

#include <gtest/gtest.h>

namespace
{
juce::ValueTree param(const juce::String& id, float value)
{
    juce::ValueTree child("PARAM");
    child.setProperty("id", id, nullptr);
    child.setProperty("value", value, nullptr);
    return child;
}
} // namespace

TEST(PresetFormat, WritesThePropertyListByteForByte)
{
    Brantor2DSPKernel kernel;
    TableData table{"Basics", "Soft Clip 2", "/tables/Soft Clip 2.wav", false};
    kernel.currentTable = &table;
    Brantor2PresetParser parser;
    parser.kernel = &kernel;

    juce::ValueTree state("Parameters");
    state.appendChild(param("DryWet", 100.0f), nullptr);
    state.appendChild(param("Filter1Freq", 507.025f), nullptr);
    state.appendChild(param("Filter1State", 1.0f), nullptr);
    state.appendChild(param("Lfo1Destination1", 8.0f), nullptr);
    state.appendChild(param("Lfo1SyncRate", 17.0f), nullptr);
    state.appendChild(param("Lfo1TimeShape", -0.138843f), nullptr);
    state.appendChild(param("Retired", 2.5f), nullptr);

    const auto xml = parser.presetFromValueTree(state, kernel.getParameters(), {"Soft", "HARD"});
    const juce::String expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                  "\r\n"
                                  "<plist version=\"1.0\">\r\n"
                                  "  <dict>\r\n"
                                  "    <key>Categories</key>\r\n"
                                  "    <array>\r\n"
                                  "      <string>soft</string>\r\n"
                                  "      <string>hard</string>\r\n"
                                  "    </array>\r\n"
                                  "    <key>Wavetable</key>\r\n"
                                  "    <string>Basics/Soft Clip 2</string>\r\n"
                                  "    <key>DryWet</key>\r\n"
                                  "    <real>100</real>\r\n"
                                  "    <key>Filter1Freq</key>\r\n"
                                  "    <real>507.025</real>\r\n"
                                  "    <key>Filter1State</key>\r\n"
                                  "    <string>Pre</string>\r\n"
                                  "    <key>Lfo1Destination1</key>\r\n"
                                  "    <string>Filter1Gain</string>\r\n"
                                  "    <key>Lfo1SyncRate</key>\r\n"
                                  "    <string>1/16</string>\r\n"
                                  "    <key>Lfo1TimeShape</key>\r\n"
                                  "    <real>-0.138843</real>\r\n"
                                  "    <key>Retired</key>\r\n"
                                  "    <real>2.5</real>\r\n"
                                  "  </dict>\r\n"
                                  "</plist>\r\n";
    EXPECT_EQ(PresetParser::toFileText(*xml), expected);
}

TEST(PresetFormat, ReadsEveryValueKindOverTheDefaults)
{
    Brantor2DSPKernel kernel;
    Brantor2PresetParser parser;
    juce::ValueTree defaults("Parameters");
    for (const auto& [id, value] : {std::pair{"DryWet", 100.0f}, {"Filter1State", 0.0f}, {"Lfo1Destination1", 0.0f},
                                    {"Lfo2Destination1", 3.0f}, {"Lfo1SyncRate", 8.0f}, {"InputGain", 0.0f},
                                    {"OutputGain", 0.0f}})
        defaults.appendChild(param(id, value), nullptr);

    juce::XmlDocument document("<plist version=\"1.0\"><dict>"
                               "<key>Categories</key><array><string>Soft</string><string>hard</string></array>"
                               "<key>Wavetable</key><string>Noisy/Grit</string>"
                               "<key>DryWet</key><real>42.5</real>"
                               "<key>InputGain</key><integer>6</integer>"
                               "<key>Filter1State</key><string>Post</string>"
                               "<key>Lfo1Destination1</key><string>Filter1Gain</string>"
                               "<key>Lfo2Destination1</key><string>filter1gain</string>"
                               "<key>Lfo1SyncRate</key><string>9/7</string>"
                               "<key>Unknown</key><real>3</real>"
                               "<key>OutputGain</key><true/>"
                               "</dict></plist>");
    const auto data = parser.valueTreeFromPreset(defaults, &document, kernel.getParameters());
    auto value = [&](const char* id) {
        return juce::String(static_cast<float>(data.tree.getChildWithProperty("id", id).getProperty("value")));
    };
    EXPECT_EQ(value("DryWet"), "42.5");
    EXPECT_EQ(value("InputGain"), "6");
    EXPECT_EQ(value("Filter1State"), "2");
    EXPECT_EQ(value("Lfo1Destination1"), "8");
    EXPECT_EQ(value("Lfo2Destination1"), "3"); // wrong case: the default stays
    EXPECT_EQ(value("Lfo1SyncRate"), "0");     // unknown text reads as 0
    EXPECT_EQ(value("OutputGain"), "0");
    EXPECT_FALSE(data.tree.getChildWithProperty("id", "Unknown").isValid());
    EXPECT_EQ(data.extraValues.at("Wavetable"), "Noisy/Grit");
    EXPECT_EQ(static_cast<float>(defaults.getChildWithProperty("id", "DryWet").getProperty("value")), 100.0f);

    juce::XmlDocument again("<plist><dict><key>Categories</key><array><string>Soft</string></array>"
                            "</dict></plist>");
    EXPECT_EQ(parser.categoriesFromPreset(&again), std::vector<juce::String>{"Soft"});
    juce::XmlDocument broken("<plist><dict><key>DryWet</key");
    const auto fallback = parser.valueTreeFromPreset(defaults, &broken, kernel.getParameters());
    EXPECT_TRUE(fallback.tree.isEquivalentTo(defaults));
}

TEST(PresetFormat, PackInformation)
{
    PresetParser parser;
    juce::XmlDocument document("<plist><dict><key>PackDescription_desktop</key><string>Desktop</string>"
                               "<key>PackName</key><string>Factory</string>"
                               "<key>PackDescription</key><string>Mobile</string></dict></plist>");
    const PackInfo info = parser.packInfoFromPlist(&document);
    EXPECT_EQ(info.packName, "Factory");
    EXPECT_EQ(info.packDescription, "Desktop");
    EXPECT_EQ(info.type, PackInfo::Generic);
}
