#include "OfflineRender.h"

namespace OfflineRender
{
namespace
{
// A transport that plays from the start at a fixed tempo in 4/4.
class PlayingTransport : public juce::AudioPlayHead
{
public:
    PlayingTransport(double rate, double bpm) : sampleRate(rate), tempo(bpm) {}

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setIsPlaying(true);
        info.setBpm(tempo);
        info.setTimeSignature(TimeSignature{4, 4});
        info.setTimeInSamples(position);
        info.setTimeInSeconds(static_cast<double>(position) / sampleRate);
        const double quarters = static_cast<double>(position) / sampleRate * tempo / 60.0;
        info.setPpqPosition(quarters);
        info.setPpqPositionOfLastBarStart(std::floor(quarters / 4.0) * 4.0);
        return info;
    }

    int64_t position = 0;

private:
    const double sampleRate, tempo;
};
} // namespace

bool render(juce::AudioProcessor& processor, juce::AudioBuffer<float>& audio, const Settings& settings,
            const std::function<void(double)>& progress)
{
    const auto set =
        audio.getNumChannels() == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    if (audio.getNumChannels() > 2 || !processor.setBusesLayout(layout))
        return false;

    PlayingTransport transport(settings.sampleRate, settings.tempo);
    processor.setPlayHead(&transport);
    processor.setRateAndBufferSizeDetails(settings.sampleRate, settings.blockSize);
    processor.prepareToPlay(settings.sampleRate, settings.blockSize);

    juce::MidiBuffer midi;
    const int total = audio.getNumSamples();
    for (int start = 0; start < total; start += settings.blockSize)
    {
        const int frames = std::min(settings.blockSize, total - start);
        juce::AudioBuffer<float> block(audio.getArrayOfWritePointers(), audio.getNumChannels(), start,
                                       frames);
        processor.processBlock(block, midi);
        transport.position += frames;
        if (progress)
            progress(static_cast<double>(start + frames) / total);
    }
    processor.releaseResources();
    processor.setPlayHead(nullptr);
    return true;
}
} // namespace OfflineRender
