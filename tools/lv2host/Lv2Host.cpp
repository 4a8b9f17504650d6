#include "Lv2Host.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/patch/patch.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cmath>
#include <cstring>

struct Lv2Host::PortBuffer
{
    std::vector<float> audio;
    std::vector<uint64_t> atom; // 8-byte aligned atom storage
    float control = 0.0f;
};

struct Lv2Host::Features
{
    LV2_URID_Map map{};
    LV2_URID_Unmap unmap{};
    int32_t minBlock = 1, maxBlock = 0, nominalBlock = 0;
    float rate = 0.0f;
    int32_t sequenceSize = 0;
    std::vector<LV2_Options_Option> options;
    LV2_Feature mapFeature{}, unmapFeature{}, optionsFeature{}, boundedFeature{};
    std::vector<const LV2_Feature*> list;
};

namespace
{
constexpr size_t atomBufferBytes = 16384;
}

uint32_t Lv2Host::map(const char* uri)
{
    for (size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri)
            return static_cast<uint32_t>(i + 1);
    uris.emplace_back(uri);
    return static_cast<uint32_t>(uris.size());
}

uint32_t Lv2Host::mapCallback(void* handle, const char* uri)
{
    return static_cast<Lv2Host*>(handle)->map(uri);
}

const char* Lv2Host::unmapCallback(void* handle, uint32_t urid)
{
    auto* host = static_cast<Lv2Host*>(handle);
    return urid >= 1 && urid <= host->uris.size() ? host->uris[urid - 1].c_str() : nullptr;
}

Lv2Host::Lv2Host(const std::string& bundlePath, const std::string& pluginUri, double sampleRate, uint32_t block)
    : blockSize(block), features(std::make_unique<Features>())
{
    world = lilv_world_new();
    if (bundlePath.empty())
        lilv_world_load_all(world);
    else
    {
        std::string path = bundlePath;
        if (path.back() != '/')
            path += '/';
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, path.c_str());
        lilv_world_load_bundle(world, bundle);
        lilv_node_free(bundle);
    }
    LilvNode* uri = lilv_new_uri(world, pluginUri.c_str());
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    lilv_node_free(uri);
    if (plugin == nullptr)
    {
        error = "plug-in not found: " + pluginUri;
        return;
    }

    Features& f = *features;
    f.map = {this, mapCallback};
    f.unmap = {this, unmapCallback};
    f.maxBlock = f.nominalBlock = static_cast<int32_t>(block);
    f.rate = static_cast<float>(sampleRate);
    f.sequenceSize = static_cast<int32_t>(atomBufferBytes);
    const uint32_t intType = map(LV2_ATOM__Int), floatType = map(LV2_ATOM__Float);
    f.options = {{LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__minBlockLength), sizeof(int32_t), intType, &f.minBlock},
                 {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), intType, &f.maxBlock},
                 {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__nominalBlockLength), sizeof(int32_t), intType,
                  &f.nominalBlock},
                 {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__sequenceSize), sizeof(int32_t), intType,
                  &f.sequenceSize},
                 {LV2_OPTIONS_INSTANCE, 0, map(LV2_PARAMETERS__sampleRate), sizeof(float), floatType, &f.rate},
                 {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    f.mapFeature = {LV2_URID__map, &f.map};
    f.unmapFeature = {LV2_URID__unmap, &f.unmap};
    f.optionsFeature = {LV2_OPTIONS__options, f.options.data()};
    f.boundedFeature = {LV2_BUF_SIZE__boundedBlockLength, nullptr};
    f.list = {&f.mapFeature, &f.unmapFeature, &f.optionsFeature, &f.boundedFeature, nullptr};

    instance = lilv_plugin_instantiate(plugin, sampleRate, f.list.data());
    if (instance == nullptr)
    {
        error = "instantiation failed: " + pluginUri;
        return;
    }

    LilvNode* audioClass = lilv_new_uri(world, LV2_CORE__AudioPort);
    LilvNode* controlClass = lilv_new_uri(world, LV2_CORE__ControlPort);
    LilvNode* atomClass = lilv_new_uri(world, LV2_ATOM__AtomPort);
    LilvNode* inputClass = lilv_new_uri(world, LV2_CORE__InputPort);
    const uint32_t portCount = lilv_plugin_get_num_ports(plugin);
    std::vector<float> defaults(portCount, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    for (uint32_t i = 0; i < portCount; ++i)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        const bool isInput = lilv_port_is_a(plugin, port, inputClass);
        auto& b = *buffers.emplace_back(std::make_unique<PortBuffer>());
        if (lilv_port_is_a(plugin, port, audioClass))
        {
            b.audio.assign(block, 0.0f);
            lilv_instance_connect_port(instance, i, b.audio.data());
            (isInput ? audioInputs : audioOutputs).push_back(&b);
        }
        else if (lilv_port_is_a(plugin, port, atomClass))
        {
            b.atom.assign(atomBufferBytes / sizeof(uint64_t), 0);
            lilv_instance_connect_port(instance, i, b.atom.data());
            (isInput ? atomInputs : atomOutputs).push_back(&b);
        }
        else
        {
            b.control = std::isnan(defaults[i]) ? 0.0f : defaults[i];
            lilv_instance_connect_port(instance, i, &b.control);
            if (lilv_port_is_a(plugin, port, controlClass))
                controls.emplace_back(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), &b.control);
        }
    }
    for (LilvNode* n : {audioClass, controlClass, atomClass, inputClass})
        lilv_node_free(n);
    lilv_instance_activate(instance);
}

Lv2Host::~Lv2Host()
{
    if (instance != nullptr)
    {
        lilv_instance_deactivate(instance);
        lilv_instance_free(instance);
    }
    lilv_world_free(world);
}

void Lv2Host::setParameter(const std::string& propertyUri, float value)
{
    pending.emplace_back(map(propertyUri.c_str()), value);
}

bool Lv2Host::setControl(const std::string& symbol, float value)
{
    for (auto& [name, port] : controls)
        if (name == symbol)
        {
            *port = value;
            return true;
        }
    return false;
}

void Lv2Host::writeControlSequence()
{
    for (PortBuffer* b : atomInputs)
    {
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, &features->map);
        lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(b->atom.data()), atomBufferBytes);
        LV2_Atom_Forge_Frame sequence;
        lv2_atom_forge_sequence_head(&forge, &sequence, 0);
        for (const auto& [property, value] : pending)
        {
            LV2_Atom_Forge_Frame object;
            lv2_atom_forge_frame_time(&forge, 0);
            lv2_atom_forge_object(&forge, &object, 0, map(LV2_PATCH__Set));
            lv2_atom_forge_key(&forge, map(LV2_PATCH__property));
            lv2_atom_forge_urid(&forge, property);
            lv2_atom_forge_key(&forge, map(LV2_PATCH__value));
            lv2_atom_forge_float(&forge, value);
            lv2_atom_forge_pop(&forge, &object);
        }
        lv2_atom_forge_pop(&forge, &sequence);
    }
    pending.clear();
    for (PortBuffer* b : atomOutputs)
    {
        auto* atom = reinterpret_cast<LV2_Atom*>(b->atom.data());
        atom->size = static_cast<uint32_t>(atomBufferBytes - sizeof(LV2_Atom));
        atom->type = map(LV2_ATOM__Chunk);
    }
}

void Lv2Host::run(const float* const* in, size_t inChannels, float* const* out, size_t outChannels, uint32_t frames)
{
    frames = std::min(frames, blockSize);
    for (size_t c = 0; c < audioInputs.size() && inChannels > 0; ++c)
        std::memcpy(audioInputs[c]->audio.data(), in[std::min(c, inChannels - 1)], frames * sizeof(float));
    writeControlSequence();
    lilv_instance_run(instance, frames);
    for (size_t c = 0; c < outChannels && !audioOutputs.empty(); ++c)
        std::memcpy(out[c], audioOutputs[std::min(c, audioOutputs.size() - 1)]->audio.data(), frames * sizeof(float));
}
