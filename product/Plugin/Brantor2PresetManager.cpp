#include "Brantor2PresetManager.h"

#include "Preset/ResourcesManager.h"

#include <algorithm>
#include <cmath>

Brantor2PresetManager::Brantor2PresetManager(PresetsBinData factoryArchive, Brantor2PresetParser* presetParser)
    : PresetManager("tlprs", factoryArchive, "Default", presetParser), productParser(*presetParser),
      readBuffer(Brantor2DSPKernel::tableCapacity)
{
    formats.registerFormat(new juce::WavAudioFormat(), true);
}

void Brantor2PresetManager::initKernel(DSPKernel* kernel)
{
    productKernel = dynamic_cast<Brantor2DSPKernel*>(kernel);
    productParser.kernel = productKernel;
    productParser.delegate = this;
}

void Brantor2PresetManager::addTable(const std::string& folder, const juce::File& file, bool isUser)
{
    if (productKernel == nullptr)
        return;
    auto table = std::make_unique<TableData>();
    table->folder = folder;
    table->name = file.getFileNameWithoutExtension().toStdString();
    table->path = file.getFullPathName().toStdString();
    table->isUser = isUser;
    productKernel->tableList.push_back(std::move(table));
}

void Brantor2PresetManager::sortTables()
{
    if (productKernel == nullptr)
        return;
    std::stable_sort(productKernel->tableList.begin(), productKernel->tableList.end(),
                     [](const auto& a, const auto& b) { return TableData::compareTables(*a, *b); });
}

void Brantor2PresetManager::addTablesIn(const juce::File& folder, const std::string& folderName, bool isUser)
{
    for (const auto& entry : juce::RangedDirectoryIterator(folder, false, juce::String("*.") + tableExtension,
                                                            juce::File::findFiles))
        addTable(folderName, entry.getFile(), isUser);
}

void Brantor2PresetManager::retrieveExtraFactoryResources()
{
    const juce::File factory = ResourcesManager::getResourcesDirectory("Tables");
    if (factory == juce::File() || !factory.isDirectory())
        return;
    for (const auto& entry : juce::RangedDirectoryIterator(factory, false, "*", juce::File::findDirectories))
        addTablesIn(entry.getFile(), entry.getFile().getFileName().toStdString(), false);
    sortTables();
}

void Brantor2PresetManager::retrieveExtraUserResources()
{
    const juce::File user = ResourcesManager::getUserDirectory("Tables");
    if (user == juce::File() || !user.isDirectory())
        return;
    addTablesIn(user, "User", true);
    sortTables();
}

void Brantor2PresetManager::onPresetLoading(Preset* preset, const PresetParser::PresetData& data)
{
    if (preset->isDefault())
    {
        loadTableNamed("Soft Clip 1", "Basics");
        return;
    }
    const auto table = data.extraValues.find(Brantor2PresetParser::tableKey);
    productParser.loadTableFromText(table != data.extraValues.end() ? table->second : juce::String());
}

void Brantor2PresetManager::loadTableNamed(juce::String tableName, juce::String folderName)
{
    if (productKernel == nullptr)
        return;
    const std::string name = tableName.toStdString(), folder = folderName.toStdString();
    const auto& tables = productKernel->tableList;
    int found = -1, fallback = -1;
    for (size_t i = 0; i < tables.size() && found < 0; ++i)
    {
        if (tables[i]->name != name)
            continue;
        if (folder.empty() || tables[i]->folder == folder)
            found = static_cast<int>(i);
        else
            fallback = static_cast<int>(i);
    }
    loadTable(found >= 0 ? found : fallback >= 0 ? fallback : static_cast<int>(tables.size()));
}

void Brantor2PresetManager::setIndexFromParser()
{
    if (tableIndexCallback && productKernel != nullptr)
        tableIndexCallback(productKernel->editorOpen.load());
}

bool Brantor2PresetManager::loadTable(int index)
{
    if (productKernel == nullptr || index < 0 || index >= getTableCount())
        return false;
    TableData* table = productKernel->tableList[static_cast<size_t>(index)].get();
    const juce::File file(table->path);
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr || reader->lengthInSamples < 1 || reader->numChannels < 1)
        return false;
    // A file shorter than its header promises is damaged: keep the current table.
    const auto bytesPerSample = static_cast<juce::int64>(reader->bitsPerSample / 8);
    if (file.getSize() < 44 + reader->lengthInSamples * reader->numChannels * bytesPerSample)
        return false;
    const auto samples = static_cast<int>(
        std::min<juce::int64>(reader->lengthInSamples, static_cast<juce::int64>(readBuffer.size())));
    float* channel[] = {readBuffer.data()};
    if (!reader->read(channel, 1, 0, samples))
        return false;
    for (int i = 0; i < samples; ++i)
        if (!std::isfinite(readBuffer[static_cast<size_t>(i)]))
            readBuffer[static_cast<size_t>(i)] = 0.0f; // a broken sample must not silence the shaper
    productKernel->loadTableSamples(readBuffer.data(), static_cast<size_t>(samples));
    productKernel->tableIndex = index;
    productKernel->currentTable = table;
    return true;
}

int Brantor2PresetManager::getTableCount() const
{
    return productKernel != nullptr ? static_cast<int>(productKernel->tableList.size()) : 0;
}

int Brantor2PresetManager::getCurrentTableIndex() const
{
    return productKernel != nullptr ? productKernel->tableIndex : 0;
}
