#include "SoundFontView.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string_view>

namespace zunaka {

namespace {

// The SoundFont 2 file: a RIFF form of type "sfbk" whose "pdta" list holds the presets, instruments and
// sample headers as tables of fixed-size records, each table ended by a terminal record.
namespace sf2 {
constexpr int kChunkHeader = 8;
constexpr int kFormHeader = 12;
constexpr int kNameBytes = 20;
constexpr std::size_t kPresetHeader = 38;
constexpr std::size_t kBag = 4;
constexpr std::size_t kModulator = 10;
constexpr std::size_t kGenerator = 4;
constexpr std::size_t kInstrument = 22;
constexpr std::size_t kSampleHeader = 46;
constexpr int kPresetNumberAt = kNameBytes;
constexpr int kPresetBankAt = kNameBytes + 2;
constexpr int kPresetBagAt = kNameBytes + 4;
constexpr int kInstrumentBagAt = kNameBytes;
// The generator of a preset zone that names its instrument.
constexpr std::uint16_t kInstrumentGenerator = 41;
} // namespace sf2

std::uint32_t little(const char* at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(at[i]);
    return value;
}

void putLittle(char* at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One table of the pdta list: its records, the last of them the terminal one.
struct Table {
    std::vector<char> bytes;
    std::size_t recordSize = 0;
    std::size_t count() const { return bytes.size() / recordSize; }
    const char* record(std::size_t i) const { return bytes.data() + i * recordSize; }
    std::uint32_t field(std::size_t i, int at) const { return little(record(i) + at, 2); }
};

struct Pdta {
    Table phdr{{}, sf2::kPresetHeader}, pbag{{}, sf2::kBag}, pmod{{}, sf2::kModulator}, pgen{{}, sf2::kGenerator};
    Table inst{{}, sf2::kInstrument}, ibag{{}, sf2::kBag}, imod{{}, sf2::kModulator}, igen{{}, sf2::kGenerator};
    Table shdr{{}, sf2::kSampleHeader};

    Table* table(std::string_view id)
    {
        const std::pair<std::string_view, Table*> tables[] = {{"phdr", &phdr}, {"pbag", &pbag}, {"pmod", &pmod},
                                                              {"pgen", &pgen}, {"inst", &inst}, {"ibag", &ibag},
                                                              {"imod", &imod}, {"igen", &igen}, {"shdr", &shdr}};
        for (const auto& [name, found] : tables) {
            if (name == id)
                return found;
        }
        return nullptr;
    }

    // Every table present with whole records and a terminal one, and every index inside its table.
    bool consistent() const
    {
        for (const Table* t : {&phdr, &pbag, &pmod, &pgen, &inst, &ibag, &imod, &igen, &shdr}) {
            if (t->bytes.empty() || t->bytes.size() % t->recordSize != 0)
                return false;
        }
        const auto bagsWithin = [](const Table& headers, int bagAt, const Table& bags, const Table& gens,
                                   const Table& mods) {
            for (std::size_t i = 0; i + 1 < headers.count(); ++i) {
                if (headers.field(i, bagAt) > headers.field(i + 1, bagAt) || headers.field(i + 1, bagAt) >= bags.count())
                    return false;
            }
            for (std::size_t b = 0; b + 1 < bags.count(); ++b) {
                if (bags.field(b, 0) > bags.field(b + 1, 0) || bags.field(b + 1, 0) >= gens.count() ||
                    bags.field(b, 2) > bags.field(b + 1, 2) || bags.field(b + 1, 2) >= mods.count())
                    return false;
            }
            return true;
        };
        return bagsWithin(phdr, sf2::kPresetBagAt, pbag, pgen, pmod) &&
               bagsWithin(inst, sf2::kInstrumentBagAt, ibag, igen, imod);
    }
};

// The presets of the file to keep: each one asked for, or what FluidSynth would play in its place when the
// file lacks it (the drum bank's first kit; a melodic program in bank 0, then bank 0's first preset).
std::set<PresetId> keptPresets(const Table& phdr, const std::set<PresetId>& asked)
{
    std::set<PresetId> present;
    for (std::size_t i = 0; i + 1 < phdr.count(); ++i)
        present.insert({static_cast<int>(phdr.field(i, sf2::kPresetBankAt)),
                        static_cast<int>(phdr.field(i, sf2::kPresetNumberAt))});
    std::set<PresetId> kept;
    for (const auto& [bank, program] : asked) {
        if (present.count({bank, program}))
            kept.insert({bank, program});
        else if (bank == gm::kDrumBank)
            kept.insert({gm::kDrumBank, 0});
        else if (present.count({0, program}))
            kept.insert({0, program});
        else
            kept.insert({0, 0});
    }
    return kept;
}

void append(std::vector<char>& to, const char* record, std::size_t size)
{
    to.insert(to.end(), record, record + size);
}

void appendBag(std::vector<char>& to, std::size_t generators, std::size_t modulators)
{
    char bag[sf2::kBag];
    putLittle(bag, static_cast<std::uint32_t>(generators), 2);
    putLittle(bag + 2, static_cast<std::uint32_t>(modulators), 2);
    append(to, bag, sf2::kBag);
}

// Copies the zones [first, last) of a preset or instrument: their bags, modulators and generators, the
// bags pointing into the new tables. `instrumentOf` renumbers the instrument a preset zone names.
template <typename Renumber>
void copyZones(const Table& bags, const Table& mods, const Table& gens, std::size_t first,
               std::size_t last, Table& newBags, Table& newMods, Table& newGens, Renumber instrumentOf)
{
    for (std::size_t b = first; b < last; ++b) {
        appendBag(newBags.bytes, newGens.count(), newMods.count());
        for (std::size_t m = bags.field(b, 2); m < bags.field(b + 1, 2); ++m)
            append(newMods.bytes, mods.record(m), sf2::kModulator);
        for (std::size_t g = bags.field(b, 0); g < bags.field(b + 1, 0); ++g) {
            char generator[sf2::kGenerator];
            std::memcpy(generator, gens.record(g), sf2::kGenerator);
            if (little(generator, 2) == sf2::kInstrumentGenerator)
                putLittle(generator + 2, instrumentOf(little(generator + 2, 2)), 2);
            append(newGens.bytes, generator, sf2::kGenerator);
        }
    }
}

// The pdta list holding only the kept presets and the instruments they name; the sample headers stay
// whole, so the instruments' sample numbers hold.
std::vector<char> subsetList(const Pdta& pdta, const std::set<PresetId>& kept, int& presetCount)
{
    Pdta out;
    std::map<std::uint32_t, std::uint32_t> instruments;  // old number -> new
    std::vector<std::uint32_t> instrumentOrder;
    const auto instrumentOf = [&](std::uint32_t old) {
        const auto [found, added] = instruments.emplace(old, static_cast<std::uint32_t>(instruments.size()));
        if (added)
            instrumentOrder.push_back(old);
        return found->second;
    };
    const Table& phdr = pdta.phdr;
    presetCount = 0;
    for (std::size_t i = 0; i + 1 < phdr.count(); ++i) {
        const PresetId id{static_cast<int>(phdr.field(i, sf2::kPresetBankAt)),
                          static_cast<int>(phdr.field(i, sf2::kPresetNumberAt))};
        if (!kept.count(id))
            continue;
        ++presetCount;
        char header[sf2::kPresetHeader];
        std::memcpy(header, phdr.record(i), sf2::kPresetHeader);
        putLittle(header + sf2::kPresetBagAt, static_cast<std::uint32_t>(out.pbag.count()), 2);
        append(out.phdr.bytes, header, sf2::kPresetHeader);
        copyZones(pdta.pbag, pdta.pmod, pdta.pgen, phdr.field(i, sf2::kPresetBagAt),
                  phdr.field(i + 1, sf2::kPresetBagAt), out.pbag, out.pmod, out.pgen, instrumentOf);
    }
    const auto unchanged = [](std::uint32_t number) { return number; };
    const Table& inst = pdta.inst;
    for (const std::uint32_t j : instrumentOrder) {
        if (j + 1 >= inst.count())
            return {};
        char header[sf2::kInstrument];
        std::memcpy(header, inst.record(j), sf2::kInstrument);
        putLittle(header + sf2::kInstrumentBagAt, static_cast<std::uint32_t>(out.ibag.count()), 2);
        append(out.inst.bytes, header, sf2::kInstrument);
        copyZones(pdta.ibag, pdta.imod, pdta.igen, inst.field(j, sf2::kInstrumentBagAt),
                  inst.field(j + 1, sf2::kInstrumentBagAt), out.ibag, out.imod, out.igen, unchanged);
    }
    // The terminal records: the file's own, their bag numbers pointing past the new tables.
    char end[sf2::kPresetHeader];
    std::memcpy(end, phdr.record(phdr.count() - 1), sf2::kPresetHeader);
    putLittle(end + sf2::kPresetBagAt, static_cast<std::uint32_t>(out.pbag.count()), 2);
    append(out.phdr.bytes, end, sf2::kPresetHeader);
    std::memcpy(end, inst.record(inst.count() - 1), sf2::kInstrument);
    putLittle(end + sf2::kInstrumentBagAt, static_cast<std::uint32_t>(out.ibag.count()), 2);
    append(out.inst.bytes, end, sf2::kInstrument);
    appendBag(out.pbag.bytes, out.pgen.count(), out.pmod.count());
    appendBag(out.ibag.bytes, out.igen.count(), out.imod.count());
    append(out.pmod.bytes, pdta.pmod.record(pdta.pmod.count() - 1), sf2::kModulator);
    append(out.imod.bytes, pdta.imod.record(pdta.imod.count() - 1), sf2::kModulator);
    append(out.pgen.bytes, pdta.pgen.record(pdta.pgen.count() - 1), sf2::kGenerator);
    append(out.igen.bytes, pdta.igen.record(pdta.igen.count() - 1), sf2::kGenerator);
    out.shdr.bytes = pdta.shdr.bytes;

    std::vector<char> list(sf2::kFormHeader);
    for (const char* id : {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"}) {
        const Table& t = *out.table(id);
        char header[sf2::kChunkHeader];
        std::memcpy(header, id, 4);
        putLittle(header + 4, static_cast<std::uint32_t>(t.bytes.size()), 4);
        append(list, header, sf2::kChunkHeader);
        list.insert(list.end(), t.bytes.begin(), t.bytes.end());
    }
    std::memcpy(list.data(), "LIST", 4);
    putLittle(list.data() + 4, static_cast<std::uint32_t>(list.size() - sf2::kChunkHeader), 4);
    std::memcpy(list.data() + sf2::kChunkHeader, "pdta", 4);
    return list;
}

bool readAt(std::ifstream& file, std::uint64_t offset, char* to, std::size_t count)
{
    file.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(file.read(to, static_cast<std::streamsize>(count)));
}

} // namespace

std::optional<SoundFontView> SoundFontView::make(const std::string& path, const std::set<PresetId>& presets)
{
    std::ifstream file(path, std::ios::binary);
    char form[sf2::kFormHeader];
    if (!readAt(file, 0, form, sizeof form) || std::memcmp(form, "RIFF", 4) != 0 || std::memcmp(form + 8, "sfbk", 4) != 0)
        return std::nullopt;
    const std::uint64_t formEnd = sf2::kChunkHeader + std::uint64_t{little(form + 4, 4)};
    // Finds the pdta list among the form's chunks.
    std::uint64_t listAt = 0;
    std::uint64_t listEnd = 0;
    for (std::uint64_t at = sf2::kFormHeader; at + sf2::kFormHeader <= formEnd;) {
        char chunk[sf2::kFormHeader];
        if (!readAt(file, at, chunk, sizeof chunk))
            return std::nullopt;
        const std::uint64_t size = little(chunk + 4, 4);
        const std::uint64_t next = at + sf2::kChunkHeader + size + (size & 1);
        if (std::memcmp(chunk, "LIST", 4) == 0 && std::memcmp(chunk + 8, "pdta", 4) == 0) {
            listAt = at;
            listEnd = next;
            break;
        }
        at = next;
    }
    if (listEnd == 0 || listEnd > formEnd)
        return std::nullopt;
    std::vector<char> list(listEnd - listAt);
    if (!readAt(file, listAt, list.data(), list.size()))
        return std::nullopt;
    Pdta pdta;
    for (std::size_t at = sf2::kFormHeader; at + sf2::kChunkHeader <= list.size();) {
        const std::uint32_t size = little(list.data() + at + 4, 4);
        const std::size_t body = at + sf2::kChunkHeader;
        if (body + size > list.size())
            return std::nullopt;
        if (Table* table = pdta.table(std::string_view(list.data() + at, 4)))
            table->bytes.assign(list.begin() + static_cast<std::ptrdiff_t>(body),
                                list.begin() + static_cast<std::ptrdiff_t>(body + size));
        at = body + size + (size & 1);
    }
    if (!pdta.consistent())
        return std::nullopt;

    SoundFontView view;
    view.path_ = path;
    std::vector<char> subset = subsetList(pdta, keptPresets(pdta.phdr, presets), view.presetCount_);
    if (subset.empty() || view.presetCount_ == 0)
        return std::nullopt;
    const std::uint64_t subsetSize = subset.size();
    const std::uint64_t total = listAt + subsetSize + (formEnd - listEnd);
    std::vector<char> head(form, form + sf2::kFormHeader);
    putLittle(head.data() + 4, static_cast<std::uint32_t>(total - sf2::kChunkHeader), 4);
    view.parts_.push_back({0, std::move(head), 0, sf2::kFormHeader});
    view.parts_.push_back({sf2::kFormHeader, {}, sf2::kFormHeader, listAt - sf2::kFormHeader});
    view.parts_.push_back({listAt, std::move(subset), 0, subsetSize});
    view.parts_.push_back({listAt + subsetSize, {}, listEnd, formEnd - listEnd});
    view.size_ = total;
    return view;
}

bool SoundFontView::read(std::FILE* file, void* to, std::uint64_t offset, std::uint64_t count) const
{
    if (offset + count > size_)
        return false;
    auto* out = static_cast<char*>(to);
    for (const Part& part : parts_) {
        if (count == 0)
            break;
        if (offset >= part.at + part.length || part.length == 0)
            continue;
        const std::uint64_t within = offset - part.at;
        const std::uint64_t n = std::min(count, part.length - within);
        if (!part.bytes.empty()) {
            std::memcpy(out, part.bytes.data() + within, n);
        } else if (std::fseek(file, static_cast<long>(part.fileOffset + within), SEEK_SET) != 0 ||
                   std::fread(out, 1, n, file) != n) {
            return false;
        }
        out += n;
        offset += n;
        count -= n;
    }
    return count == 0;
}

} // namespace zunaka
