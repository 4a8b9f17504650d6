#include "OfflineRender.h"

namespace OfflineRender
{
juce::Optional<juce::AudioPlayHead::PositionInfo> PlayingTransport::getPosition() const
{
    PositionInfo info;
    info.setIsPlaying(true);
    info.setBpm(bpm);
    info.setTimeSignature(TimeSignature{4, 4});
    info.setTimeInSamples(position);
    info.setTimeInSeconds(static_cast<double>(position) / rate);
    const double quarters = static_cast<double>(position) / rate * bpm / 60.0;
    info.setPpqPosition(quarters);
    info.setPpqPositionOfLastBarStart(std::floor(quarters / 4.0) * 4.0);
    return info;
}

bool Renderer::start(juce::AudioProcessor& p, int channels, const Settings& settings)
{
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    if (channels < 1 || channels > 2 || !p.setBusesLayout(layout))
        return false;
    processor = &p;
    blockSize = settings.blockSize;
    transport = std::make_unique<PlayingTransport>(settings.sampleRate, settings.tempo);
    p.setPlayHead(transport.get());
    p.setRateAndBufferSizeDetails(settings.sampleRate, settings.blockSize);
    p.prepareToPlay(settings.sampleRate, settings.blockSize);
    return true;
}

void Renderer::process(juce::AudioBuffer<float>& audio)
{
    const int total = audio.getNumSamples();
    for (int start = 0; start < total; start += blockSize)
    {
        const int frames = std::min(blockSize, total - start);
        juce::AudioBuffer<float> block(audio.getArrayOfWritePointers(), audio.getNumChannels(), start,
                                       frames);
        processor->processBlock(block, midi);
        transport->position += frames;
    }
}

void Renderer::finish()
{
    processor->releaseResources();
    processor->setPlayHead(nullptr);
}

bool render(juce::AudioProcessor& processor, juce::AudioBuffer<float>& audio, const Settings& settings)
{
    Renderer renderer;
    if (!renderer.start(processor, audio.getNumChannels(), settings))
        return false;
    renderer.process(audio);
    renderer.finish();
    return true;
}
} // namespace OfflineRender
