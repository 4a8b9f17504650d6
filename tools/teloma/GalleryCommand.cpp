// teloma gallery FOLDER: a PNG per table (its frames overlaid) and per factory preset (its transfer
// curve at the preset's position, and the spectrum of the demo clip through it against the dry clip),
// with an index page.

#include "Commands.h"
#include "DemoClip.h"
#include "OfflineRender.h"
#include "Session.h"
#include "ThirdOctaveSpectrum.h"

#include <juce_graphics/juce_graphics.h>

#include <iostream>

namespace Commands
{
namespace
{
constexpr int panel = 300;
constexpr int maxDrawnFrames = 32;
constexpr int frameLength = static_cast<int>(TableWaveshaper::frameLength);
const juce::Colour background(0xff15171c), grid(0xff2c313a), dryColour(0xff8a93a3), wetColour(0xffffa040);

std::vector<float> readTable(const juce::String& path)
{
    juce::AudioFormatManager formats;
    formats.registerFormat(new juce::WavAudioFormat(), true);
    const std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(juce::File(path)));
    if (reader == nullptr || reader->lengthInSamples < frameLength)
        throw CommandError("cannot read table " + path);
    const auto frames = static_cast<int>(reader->lengthInSamples / frameLength);
    juce::AudioBuffer<float> buffer(1, frames * frameLength);
    reader->read(&buffer, 0, buffer.getNumSamples(), 0, true, false);
    return {buffer.getReadPointer(0), buffer.getReadPointer(0) + buffer.getNumSamples()};
}

// The square plot area of a curve, with its axes through the centre.
void drawCurveFrame(juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour(grid);
    g.drawRect(area);
    g.drawLine(area.getX(), area.getCentreY(), area.getRight(), area.getCentreY());
    g.drawLine(area.getCentreX(), area.getY(), area.getCentreX(), area.getBottom());
}

void drawCurve(juce::Graphics& g, juce::Rectangle<float> area, const float* curve, juce::Colour colour)
{
    juce::Path path;
    constexpr int n = frameLength;
    for (int i = 0; i < n; i += 4)
    {
        const float x = area.getX() + area.getWidth() * static_cast<float>(i) / (n - 1);
        const float y = area.getCentreY() - area.getHeight() * 0.5f * juce::jlimit(-1.0f, 1.0f, curve[i]);
        if (i == 0)
            path.startNewSubPath(x, y);
        else
            path.lineTo(x, y);
    }
    g.setColour(colour);
    g.strokePath(path, juce::PathStrokeType(1.5f));
}

void drawSpectrum(juce::Graphics& g, juce::Rectangle<float> area, const Spectrum::Bands& bands, float top,
                  juce::Colour colour)
{
    constexpr float range = 60.0f;
    juce::Path path;
    const float lo = std::log(20.0f), hi = std::log(20000.0f);
    for (size_t i = 0; i < bands.level.size(); ++i)
    {
        const float x = area.getX() + area.getWidth() * (std::log(bands.centre[i]) - lo) / (hi - lo);
        const float y =
            area.getY() + area.getHeight() * juce::jlimit(0.0f, 1.0f, (top - bands.level[i]) / range);
        if (i == 0)
            path.startNewSubPath(x, y);
        else
            path.lineTo(x, y);
    }
    g.setColour(colour);
    g.strokePath(path, juce::PathStrokeType(2.0f));
}

void savePng(const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out(file);
    juce::PNGImageFormat png;
    if (!out.openedOk() || !png.writeImageToStream(image, out))
        throw CommandError("cannot write " + file.getFullPathName());
}

juce::String fileNameFor(const juce::String& name)
{
    return name.replaceCharacters(" /", "--").removeCharacters("\"'*?:<>|\\") + ".png";
}

juce::String tableImage(const TableData& table, const juce::File& folder)
{
    const std::vector<float> samples = readTable(table.path);
    const int frames = static_cast<int>(samples.size() / frameLength);
    juce::Image image(juce::Image::ARGB, panel, panel, true);
    juce::Graphics g(image);
    g.fillAll(background);
    const auto area = juce::Rectangle<float>(0, 0, panel, panel).reduced(12.0f);
    drawCurveFrame(g, area);
    const int drawn = std::min(frames, maxDrawnFrames);
    for (int k = 0; k < drawn; ++k)
    {
        const int f = drawn > 1 ? k * (frames - 1) / (drawn - 1) : 0;
        const float t = drawn > 1 ? static_cast<float>(k) / (drawn - 1) : 1.0f;
        drawCurve(g, area, samples.data() + f * frameLength,
                  juce::Colour(0xff4a9eff).interpolatedWith(wetColour, t).withAlpha(0.8f));
    }
    const juce::String file = fileNameFor(table.folder + "/" + table.name);
    savePng(image, folder.getChildFile(file));
    return file;
}

juce::String presetImage(const juce::String& name, const juce::File& folder,
                         const juce::AudioBuffer<float>& dry, const Spectrum::Bands& drySpectrum, double rate)
{
    Brantor2Processor processor;
    Session::loadPreset(processor, name);
    const TableData* table = processor.getProductKernel().currentTable;
    if (table == nullptr)
        throw CommandError("preset " + name + " has no table");

    // The curve at the preset's position: the two nearest frames crossfaded, as the shaper does.
    const std::vector<float> samples = readTable(table->path);
    const int frames = static_cast<int>(samples.size() / frameLength);
    auto* position = processor.getTreeState().getParameter("WaveshaperPosition");
    const float at = position->convertFrom0to1(position->getValue()) * 0.01f * static_cast<float>(frames - 1);
    const int lo = std::min(static_cast<int>(at), frames - 1), hi = std::min(lo + 1, frames - 1);
    std::vector<float> curve(static_cast<size_t>(frameLength));
    for (int i = 0; i < frameLength; ++i)
        curve[static_cast<size_t>(i)] =
            juce::jmap(at - static_cast<float>(lo), samples[static_cast<size_t>(lo * frameLength + i)],
                       samples[static_cast<size_t>(hi * frameLength + i)]);

    juce::AudioBuffer<float> wet(dry);
    OfflineRender::render(processor, wet, {rate, 512, 120.0});
    const Spectrum::Bands wetSpectrum = Spectrum::measure(wet, rate);

    juce::Image image(juce::Image::ARGB, 2 * panel, panel, true);
    juce::Graphics g(image);
    g.fillAll(background);
    const auto left = juce::Rectangle<float>(0, 0, panel, panel).reduced(12.0f);
    const auto right = juce::Rectangle<float>(panel, 0, panel, panel).reduced(12.0f);
    drawCurveFrame(g, left);
    drawCurve(g, left, curve.data(), wetColour);
    g.setColour(grid);
    g.drawRect(right);
    float top = -1000.0f;
    for (float level : drySpectrum.level)
        top = std::max(top, level);
    for (float level : wetSpectrum.level)
        top = std::max(top, level);
    drawSpectrum(g, right, drySpectrum, top + 3.0f, dryColour);
    drawSpectrum(g, right, wetSpectrum, top + 3.0f, wetColour);

    const juce::String file = fileNameFor(name);
    savePng(image, folder.getChildFile(file));
    return file;
}
} // namespace

void gallery(const juce::StringArray& words)
{
    const Arguments arguments(words, {});
    const juce::File root =
        juce::File::getCurrentWorkingDirectory().getChildFile(arguments.positional(0, "folder"));
    const juce::File tablesFolder = root.getChildFile("tables"), presetsFolder = root.getChildFile("presets");
    if (!tablesFolder.createDirectory() || !presetsFolder.createDirectory())
        throw CommandError("cannot create " + root.getFullPathName());

    juce::String index =
        "# QUARNE Teloma gallery\n\n## Tables\n\nEach frame of a table overlaid, first frame blue, "
        "last orange; input -1..1 left to right, output -1..1 bottom to top.\n\n";
    Brantor2Processor library;
    juce::String folderShown;
    for (const auto& t : library.getProductKernel().tableList)
    {
        if (t->folder != folderShown.toStdString())
        {
            folderShown = t->folder;
            index << "\n### " << folderShown << "\n\n";
        }
        index << "![" << t->name << "](tables/" << tableImage(*t, tablesFolder).replace(" ", "%20") << ") ";
    }

    index << "\n\n## Factory presets\n\nLeft: the transfer curve at the preset's position. Right: spectrum "
             "of the "
             "demo clip, dry (grey) and through the preset (orange), 20 Hz to 20 kHz, 60 dB high.\n\n";
    constexpr double rate = 48000.0;
    const juce::AudioBuffer<float> dry = DemoClip::make(rate, 4.0);
    const Spectrum::Bands drySpectrum = Spectrum::measure(dry, rate);
    int count = 0;
    for (const auto& p : library.getPresetManager().getPresets())
    {
        if (p->isUser() || p->isDefault())
            continue;
        index << "**" << p->name << "**\n\n![" << p->name << "](presets/"
              << presetImage(p->name, presetsFolder, dry, drySpectrum, rate) << ")\n\n";
        ++count;
    }
    const juce::File page = root.getChildFile("index.md");
    if (!page.replaceWithText(index))
        throw CommandError("cannot write " + page.getFullPathName());
    std::cout << library.getProductKernel().tableList.size() << " tables and " << count
              << " presets drawn: " << page.getFullPathName() << "\n";
}
} // namespace Commands
