#include "PluginProcessor.h"

#include "Preset/SafeText.h"

#include <cmath>
#include <cstring>

namespace
{
float toHostSteps(float v)
{
    return std::round(v * 1000.0f) / 1000.0f;
}

juce::NormalisableRange<float> rangeOf(Parameter& p)
{
    if (p.toValue == nullptr || p.toNormalised == nullptr)
        return {p.minimum, p.maximum};
    const CurveFunction toValue = p.toValue;
    const CurveFunction toNormalised = p.toNormalised;
    return {p.minimum, p.maximum,
            [toValue](float min, float max, float normalised) {
                float v = std::isfinite(normalised) ? toHostSteps(normalised) : 0.0f;
                toValue(min, max, &v, 1);
                return v;
            },
            [toNormalised](float min, float max, float value) {
                float v = std::isfinite(value) ? value : min;
                toNormalised(min, max, &v, 1);
                return toHostSteps(v);
            }};
}
} // namespace

PluginProcessor::PluginProcessor(const BusesProperties& buses, DSPKernel* k, PresetManager* manager,
                                 std::string code)
    : juce::AudioProcessor(buses), productCode(std::move(code)), kernel(k), undoManager(30000, 30),
      treeState(*this, &undoManager, "Parameters", createParameterLayout(*k->getParameters())),
      presetManager(manager), appProperties(std::make_unique<AppProperties>())
{
    for (Parameter* p : kernel->getParameters()->getProcessingParameters())
    {
        treeState.addParameterListener(p->name, this);
        kernel->setParameter(static_cast<size_t>(p->index), p->defaultValue);
    }
    presetManager->init(this, kernel.get(), treeState.copyState().createCopy());
    retrieveFavoritePresets();
    eventBlocks.reserve(256);
}

PluginProcessor::~PluginProcessor()
{
    presetManager->saveFavoritePresets();
    for (Parameter* p : kernel->getParameters()->getProcessingParameters())
        treeState.removeParameterListener(p->name, this);
    // The preset manager refers to the kernel: it goes first.
    presetManager.reset();
    kernel.reset();
    appProperties.reset();
}

void PluginProcessor::replaceTreeState(juce::ValueTree tree)
{
    kernel->requestClear();
    treeState.replaceState(tree);
}

void PluginProcessor::saveFavoritePresets(juce::String text)
{
    appProperties->saveFavoritePresets(text);
}

void PluginProcessor::retrieveFavoritePresets()
{
    const juce::String text = appProperties->retrieveFavoritePresets();
    if (text.isNotEmpty())
        presetManager->retrieveFavoritePresets(text);
}

void PluginProcessor::randomize()
{
    undoManager.beginNewTransaction();
    for (const auto& [p, value] : kernel->randomize())
        if (auto* parameter = treeState.getParameter(p->name))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

void PluginProcessor::undo()
{
    if (undoManager.canUndo())
        undoManager.undo();
}

void PluginProcessor::redo()
{
    if (undoManager.canRedo())
        undoManager.redo();
}

void PluginProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    const Preset* current = presetManager->getCurrentPreset();
    juce::ValueTree tree = treeState.copyState();
    presetManager->getExtraStateInformation(&tree);
    tree.setProperty("PresetName", current != nullptr ? current->name : juce::String("Default"), nullptr);
    tree.setProperty("HasPresetBeenModified", presetManager->modified.load(), nullptr);
    if (auto xml = tree.createXml())
        copyXmlToBinary(*xml, destData);
}

void PluginProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = SafeText::xmlFromBinary(data, sizeInBytes);
    if (xml == nullptr || !xml->hasTagName(treeState.state.getType()))
        return;
    kernel->requestClear();
    treeState.replaceState(
        presetManager->getParser().stateFromXml(presetManager->getDefaultTree(), *xml, kernel->getParameters()));
    presetManager->setExtraStateInformation(xml.get());
    const juce::String name = xml->getStringAttribute("PresetName");
    presetManager->modified = xml->getBoolAttribute("HasPresetBeenModified", false);
    presetManager->setPreset(name, false);
}

juce::AudioProcessorValueTreeState::ParameterLayout PluginProcessor::createParameterLayout(ParameterList& list)
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    for (Parameter* p : list.getProcessingParameters())
    {
        const juce::ParameterID id{p->name, 1};
        if (p->unit == Integer)
        {
            auto attributes = juce::AudioParameterIntAttributes().withStringFromValueFunction([p](int v, int) {
                return juce::String(p->indexToString != nullptr ? p->indexToString(v)
                                                                : p->stringFromValue(static_cast<float>(v)));
            });
            layout.add(std::make_unique<juce::AudioParameterInt>(
                id, p->name, static_cast<int>(p->minimum), static_cast<int>(p->maximum),
                static_cast<int>(p->defaultValue), attributes));
        }
        else if (p->unit == OnOff)
            layout.add(std::make_unique<juce::AudioParameterBool>(id, p->name, p->defaultValue != 0.0f));
        else
        {
            auto attributes = juce::AudioParameterFloatAttributes().withStringFromValueFunction(
                [p](float v, int) { return juce::String(p->stringFromValue(v)); });
            layout.add(std::make_unique<juce::AudioParameterFloat>(id, p->name, rangeOf(*p), p->defaultValue,
                                                                   attributes));
        }
    }
    return layout;
}

void PluginProcessor::parameterChanged(const juce::String& parameterID, float newValue)
{
    if (!std::isfinite(newValue))
        return;
    const char* id = parameterID.toRawUTF8();
    for (Parameter* p : kernel->getParameters()->getProcessingParameters())
        if (std::strcmp(p->name.c_str(), id) == 0)
            kernel->setParameter(static_cast<size_t>(p->index), newValue);
    presetManager->parameterHasChanged();
}

void PluginProcessor::prepareToPlay(double sampleRate, int)
{
    const int channels = getBusCount(false) > 0 ? getChannelCountOfBus(false, 0) : 0;
    kernel->init(channels, sampleRate);
    kernel->setup();
}

bool PluginProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();
    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;
    return layouts.getMainInputChannelSet() == out;
}

void PluginProcessor::checkTransport()
{
    auto* host = getPlayHead();
    if (host == nullptr)
        return;
    const auto position = host->getPosition();
    if (!position.hasValue())
        return;
    MusicalContextStruct& context = kernel->musicalContext;
    TransportStateStruct& transport = kernel->transportState;
    if (const auto bpm = position->getBpm(); bpm.hasValue() && std::isfinite(*bpm) && *bpm > 0.0)
        context.tempo = *bpm;
    if (const auto signature = position->getTimeSignature();
        signature.hasValue() && signature->numerator > 0 && signature->denominator > 0)
    {
        context.timeSignatureNumerator = signature->numerator;
        context.timeSignatureDenominator = signature->denominator;
    }
    if (const auto ppq = position->getPpqPosition(); ppq.hasValue() && std::isfinite(*ppq))
        context.ppqPosition = *ppq;
    transport.isPlaying = position->getIsPlaying();
    if (const auto samples = position->getTimeInSamples(); samples.hasValue())
        transport.samplePosition = static_cast<double>(*samples);
    if (const auto loop = position->getLoopPoints(); loop.hasValue())
    {
        transport.loopStart = loop->ppqStart;
        transport.loopEnd = loop->ppqEnd;
    }
}

void PluginProcessor::splitAtNoteEvents(const juce::MidiBuffer& midi, size_t frameCount)
{
    eventBlocks.clear();
    eventBlocks.push_back({0, frameCount, midi.cbegin(), 0});
    for (auto it = midi.cbegin(); it != midi.cend(); ++it)
    {
        const auto event = *it;
        const auto t = static_cast<size_t>(juce::jlimit(0, static_cast<int>(frameCount), event.samplePosition));
        const int status = event.numBytes > 0 ? (event.data[0] & 0xf0) : 0;
        const bool isNote = status == 0x80 || status == 0x90;
        MidiEventBlock& last = eventBlocks.back();
        if (!isNote || t == last.start)
        {
            if (last.eventCount == 0)
                last.firstEvent = it;
            ++last.eventCount;
            continue;
        }
        last.end = t;
        eventBlocks.push_back({t, frameCount, it, 1});
    }
}

void PluginProcessor::handleMidiMessages(const MidiEventBlock& block)
{
    auto it = block.firstEvent;
    for (int i = 0; i < block.eventCount; ++i, ++it)
    {
        const auto event = *it;
        kernel->handleMIDIEvent(event.data, event.samplePosition, event.samplePosition);
    }
}

void PluginProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    juce::ScopedNoDenormals noDenormals;
    presetManager->sortPresets();
    checkTransport();
    setLatencySamples(kernel->getLatency());

    splitAtNoteEvents(midi, static_cast<size_t>(buffer.getNumSamples()));
    for (const auto& block : eventBlocks)
    {
        handleMidiMessages(block);
        // The kernel renders at most maxKernelFrames per call.
        for (size_t start = block.start; start < block.end;)
        {
            const size_t frames = std::min(block.end - start, static_cast<size_t>(maxKernelFrames));
            process(buffer, frames, start);
            start += frames;
        }
    }

    midi.clear();
    checkOutMidiEvents(midi);
}
