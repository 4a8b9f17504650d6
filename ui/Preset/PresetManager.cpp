#include "PresetManager.h"

#include "ResourcesManager.h"
#include "SafeText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace
{
constexpr int pendingWorkIntervalMs = 50;
}

PresetManager::PresetManager(std::string presetExtension, PresetsBinData factoryArchive,
                             std::string defaultName, PresetParser* presetParser)
    : extension(presetExtension), defaultPresetName(defaultName), archive(factoryArchive), parser(presetParser)
{
    allDirectory = directories.emplace_back(std::make_unique<PresetDirectory>("ALL", PackInfo::All)).get();
    directories.emplace_back(std::make_unique<PresetDirectory>("FAVOURITES", PackInfo::Favourites));
    userDirectory = directories.emplace_back(std::make_unique<PresetDirectory>("USER", PackInfo::User)).get();
}

PresetManager::~PresetManager()
{
    stopTimer();
    stopCategoryPass();
}

void PresetManager::init(PresetManagerDelegate* d, DSPKernel* kernel, juce::ValueTree tree)
{
    delegate = d;
    defaultTree = tree;
    initKernel(kernel);
    readFactoryArchive();

    std::stable_sort(directories.begin(), directories.end(), [](const auto& a, const auto& b) {
        if (a->getType() != b->getType())
            return a->getType() < b->getType();
        return a->name.compare(b->name) < 0;
    });
    sortPresetList();
    auto defaultPreset = std::make_unique<Preset>("DEFAULT", Preset::DefaultPreset, directories.front().get());
    defaultPreset->lists = {"ALL"};
    presets.insert(presets.begin(), std::move(defaultPreset));

    retrieveUserPresets();
    retrieveExtraFactoryResources();
    retrieveExtraUserResources();
    userDirectory->info.packName = "User Presets";
    userDirectory->info.packDescription = "Your own amazing presets!";
    if (defaultPresetName.isNotEmpty())
        setPreset(defaultPresetName, true);
    startCategoryPass();
    startTimer(pendingWorkIntervalMs);
}

void PresetManager::readFactoryArchive()
{
    if (archive.data == nullptr || archive.size == 0)
        return;
    archiveStream = std::make_unique<juce::MemoryInputStream>(archive.data, archive.size, false);
    zip = std::make_unique<juce::ZipFile>(*archiveStream);
    PresetDirectory* folder = nullptr;
    for (int i = 0; i < zip->getNumEntries(); ++i)
    {
        const juce::String path = zip->getEntry(i)->filename;
        if (path == "Presets/")
            continue;
        if (path.endsWithChar('/'))
        {
            const juce::String name = path.dropLastCharacters(1).fromFirstOccurrenceOf("/", false, false).toUpperCase();
            folder = directories.emplace_back(std::make_unique<PresetDirectory>(name, PackInfo::Generic)).get();
        }
        else if (path.contains("." + extension) && folder != nullptr)
        {
            const juce::String name = path.dropLastCharacters(extension.length() + 1)
                                          .fromFirstOccurrenceOf("/", false, false)
                                          .fromFirstOccurrenceOf("/", false, false)
                                          .toUpperCase();
            auto preset = std::make_unique<Preset>(name, Preset::ArchivePreset, folder);
            preset->archiveEntry = i;
            preset->lists = {"ALL", folder->name};
            if (auto xml = parseArchiveEntry(i))
            {
                juce::XmlDocument document(xml->toString());
                preset->categories = parser->categoriesFromPreset(&document);
            }
            presets.push_back(std::move(preset));
        }
        else if (path.contains("packInfo.plist") && folder != nullptr)
        {
            if (std::unique_ptr<juce::InputStream> stream{zip->createStreamForEntry(i)})
            {
                juce::XmlDocument document(SafeText::readStream(*stream));
                folder->info = parser->packInfoFromPlist(&document);
            }
        }
        else if (path.contains("packImage.png") && folder != nullptr)
        {
            if (std::unique_ptr<juce::InputStream> stream{zip->createStreamForEntry(i)})
                folder->image = juce::ImageFileFormat::loadFrom(*stream);
        }
    }
}

std::unique_ptr<juce::XmlElement> PresetManager::parseArchiveEntry(int index) const
{
    if (zip == nullptr)
        return nullptr;
    std::unique_ptr<juce::InputStream> stream{zip->createStreamForEntry(index)};
    return stream != nullptr ? juce::parseXML(SafeText::readStream(*stream)) : nullptr;
}

void PresetManager::sortPresetList()
{
    std::stable_sort(presets.begin(), presets.end(),
                     [](const auto& a, const auto& b) { return Preset::comparePresets(a.get(), b.get()); });
}

juce::File PresetManager::findPresetFile(const juce::File& folder, const juce::String& name) const
{
    // The user's folder may live on a case-sensitive file system: match names without regard to case.
    if (folder == juce::File() || !folder.isDirectory())
        return {};
    const juce::String wanted = name + "." + extension;
    for (const auto& entry : juce::RangedDirectoryIterator(folder, false, "*", juce::File::findFiles))
        if (entry.getFile().getFileName().equalsIgnoreCase(wanted))
            return entry.getFile();
    return {};
}

void PresetManager::addUserPresetsIn(const juce::File& folder, std::vector<juce::String>& seen)
{
    if (folder == juce::File() || !folder.isDirectory())
        return;
    for (const auto& entry : juce::RangedDirectoryIterator(folder, false, "*." + extension, juce::File::findFiles))
    {
        const juce::File file = entry.getFile();
        const juce::String name = file.getFileNameWithoutExtension().toUpperCase();
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            continue;
        seen.push_back(name);
        juce::XmlDocument document(SafeText::readFile(file));
        presets.emplace_back(Preset::MakeUserPreset(file, name, userDirectory, parser->categoriesFromPreset(&document)));
    }
}

void PresetManager::retrieveUserPresets()
{
    // The current preset is found again by name, so that no pointer to a destroyed preset survives.
    const bool currentIsUser = currentPreset != nullptr && currentPreset->isUser();
    const juce::String currentName = currentIsUser ? currentPreset->name : juce::String();
    presets.erase(std::remove_if(presets.begin(), presets.end(), [](const auto& p) { return p->isUser(); }),
                  presets.end());
    if (currentIsUser)
        currentPreset = nullptr;

    std::vector<juce::String> seen;
    addUserPresetsIn(ResourcesManager::getUserDirectory("Presets"), seen);
    addUserPresetsIn(ResourcesManager::getUserDirectory(""), seen);
    sortPresetList();
    if (currentIsUser)
        for (const auto& p : presets)
            if (p->isUser() && p->name == currentName)
                currentPreset = p.get();
    if (delegate != nullptr)
        delegate->retrieveFavoritePresets();
}

bool PresetManager::setPreset(Preset* preset)
{
    if (preset == nullptr || preset == currentPreset)
        return false;
    PresetParser::PresetData data;
    ParameterList* parameters = delegate != nullptr ? delegate->getParameters() : nullptr;
    if (preset->isDefault())
        data.tree = defaultTree.createCopy();
    else if (preset->kind == Preset::ArchivePreset)
    {
        auto xml = parseArchiveEntry(preset->archiveEntry);
        juce::XmlDocument document(xml != nullptr ? xml->toString() : juce::String());
        data = parser->valueTreeFromPreset(defaultTree, &document, parameters);
    }
    else
    {
        juce::XmlDocument document(SafeText::readFile(preset->file));
        data = parser->valueTreeFromPreset(defaultTree, &document, parameters);
    }
    if (delegate != nullptr)
        delegate->replaceTreeState(data.tree);
    modified = false;
    presetChanged = true;
    onPresetLoading(preset, data);
    currentPreset = preset;
    return true;
}

bool PresetManager::setPreset(const juce::String& name, bool load)
{
    const juce::String wanted = name.toUpperCase();
    for (const auto& p : presets)
        if (p->name == wanted)
        {
            if (load)
                setPreset(p.get());
            else
                currentPreset = p.get();
            return true;
        }
    return false;
}

std::vector<Preset*> PresetManager::filterPresets() const
{
    const juce::String directory = selectedDirectory != nullptr ? selectedDirectory->name : juce::String("ALL");
    const juce::String search = searchText.toLowerCase();
    std::vector<Preset*> result;
    for (const auto& p : presets)
    {
        if (std::find(p->lists.begin(), p->lists.end(), directory) == p->lists.end())
            continue;
        const bool categoryMatch =
            selectedCategories.empty() ||
            std::any_of(selectedCategories.begin(), selectedCategories.end(), [&](const juce::String& c) {
                return std::find(p->categories.begin(), p->categories.end(), c) != p->categories.end();
            });
        if (categoryMatch && (search.isEmpty() || p->name.toLowerCase().contains(search)))
            result.push_back(p.get());
    }
    return result;
}

void PresetManager::parameterHasChanged()
{
    modified = true;
    presetChanged = true;
}

bool PresetManager::isValidPresetName(const juce::String& name)
{
    const juce::String trimmed = name.trim();
    if (trimmed.isEmpty() || trimmed == "." || trimmed == ".." || name.containsAnyOf("/\\"))
        return false;
    for (auto c : name)
        if (c < 0x20 || c == 0x7f)
            return false;
    return true;
}

bool PresetManager::savePresetAs(const juce::String& name, const std::vector<juce::String>& categories)
{
    const juce::File folder = ResourcesManager::getUserDirectory("Presets");
    if (!isValidPresetName(name) || folder == juce::File() || delegate == nullptr)
        return false;
    juce::File file = findPresetFile(folder, name);
    if (file == juce::File())
    {
        file = folder.getChildFile(name + "." + extension);
        if (!file.create().wasOk())
            return false;
    }
    if (const juce::File legacy = findPresetFile(ResourcesManager::getUserDirectory(""), name); legacy.existsAsFile())
        legacy.deleteFile();

    const auto xml = parser->presetFromValueTree(delegate->getCurrentTreeState(), delegate->getParameters(), categories);
    const bool written = file.replaceWithText(PresetParser::toFileText(*xml), false, false, "\r\n");
    retrieveUserPresets();
    return written;
}

bool PresetManager::deletePreset(Preset* preset)
{
    const juce::File folder = ResourcesManager::getUserDirectory("Presets");
    if (preset == nullptr || !preset->isUser() || folder == juce::File())
        return false;
    const juce::File file = findPresetFile(folder, preset->name);
    if (!file.existsAsFile())
        return false;
    file.deleteFile();
    if (const juce::File legacy = findPresetFile(ResourcesManager::getUserDirectory(""), preset->name);
        legacy.existsAsFile())
        legacy.deleteFile();
    currentPreset = nullptr;
    retrieveUserPresets();
    saveFavoritePresets();
    return true;
}

void PresetManager::saveFavoritePresets()
{
    juce::String text;
    for (const auto& p : presets)
        if (p->favourite)
            text << (p->directory != nullptr ? p->directory->name : juce::String()) << "/" << p->name << "\n";
    if (delegate != nullptr)
        delegate->saveFavoritePresets(text);
}

void PresetManager::retrieveFavoritePresets(const juce::String& text)
{
    if (!SafeText::isValid(text))
        return;
    juce::StringArray lines;
    lines.addTokens(text, "\n", "\"");
    std::vector<std::pair<juce::String, juce::String>> marks;
    for (const auto& line : lines)
    {
        juce::StringArray parts;
        parts.addTokens(line, "/", "\"");
        if (parts.size() == 2)
            marks.emplace_back(parts[0], parts[1]);
    }
    for (const auto& p : presets)
    {
        p->setIsFavorite(false);
        const juce::String directory = p->directory != nullptr ? p->directory->name : juce::String();
        for (const auto& [dir, name] : marks)
            if (name == p->name && dir == directory)
                p->setIsFavorite(true);
    }
}

void PresetManager::sortPresets()
{
    if (sortRequested.exchange(false))
        sortPending = true;
}

void PresetManager::timerCallback()
{
    handlePendingWork();
}

void PresetManager::handlePendingWork()
{
    if (sortPending.exchange(false))
    {
        sortPresetList();
        if (delegate != nullptr)
            delegate->retrieveFavoritePresets();
        listChanged = true;
    }
    std::map<juce::String, std::vector<juce::String>> found;
    {
        const std::lock_guard<std::mutex> lock(foundCategoriesLock);
        found.swap(foundCategories);
    }
    for (const auto& p : presets)
        if (auto it = found.find(p->file.getFullPathName()); p->isUser() && it != found.end())
            p->categories = it->second;
}

void PresetManager::startCategoryPass()
{
    // The pass reads files only: it works on its own copy of the paths and hands the categories it
    // finds to the message thread, so re-scans and destruction never pull presets from under it.
    std::vector<juce::File> files;
    for (const auto& p : presets)
        if (p->isUser())
            files.push_back(p->file);
    keepRunning = true;
    categoryPass = std::thread([this, files] {
        PresetParser reader;
        for (const auto& file : files)
        {
            if (!keepRunning)
                return;
            juce::XmlDocument document(SafeText::readFile(file));
            auto categories = reader.categoriesFromPreset(&document);
            {
                const std::lock_guard<std::mutex> lock(foundCategoriesLock);
                foundCategories[file.getFullPathName()] = std::move(categories);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        std::puts("finished checking categories");
    });
}

void PresetManager::stopCategoryPass()
{
    keepRunning = false;
    if (categoryPass.joinable())
        categoryPass.join();
}
