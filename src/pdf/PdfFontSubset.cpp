#include "pdf/PdfFontSubset.h"

#include <hb-subset.h>
#include <hb.h>

#include <memory>

namespace orv {

namespace {

// The tables a PDF reader draws TrueType glyphs from; layout tables are
// left behind because the text arrives shaped.
constexpr const char* kProgramTables[] = {"cmap", "cvt ", "fpgm", "glyf", "head", "hhea", "hmtx",
                                          "loca", "maxp", "name", "OS/2", "post", "prep"};

struct FaceRelease {
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};
struct BlobRelease {
    void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
};
struct InputRelease {
    void operator()(hb_subset_input_t* input) const { hb_subset_input_destroy(input); }
};
using Face = std::unique_ptr<hb_face_t, FaceRelease>;
using Blob = std::unique_ptr<hb_blob_t, BlobRelease>;

hb_tag_t tagOf(const char* name)
{
    return HB_TAG(name[0], name[1], name[2], name[3]);
}

// The face as one font file, put together from its tables: Qt reads them
// from whatever file (or collection) the face lives in.
Face faceFromTables(const QRawFont& font)
{
    Face builder(hb_face_builder_create());
    for (const char* name : kProgramTables) {
        const QByteArray table = font.fontTable(name);
        if (table.isEmpty())
            continue;
        Blob blob(hb_blob_create(table.constData(), static_cast<unsigned>(table.size()), HB_MEMORY_MODE_DUPLICATE,
                                 nullptr, nullptr));
        hb_face_builder_add_table(builder.get(), tagOf(name), blob.get());
    }
    Blob whole(hb_face_reference_blob(builder.get()));
    return Face(hb_face_create(whole.get(), 0));
}

} // namespace

std::string subsetTrueTypeProgram(const QRawFont& font, const std::set<uint32_t>& glyphs)
{
    if (font.fontTable("glyf").isEmpty() || font.fontTable("loca").isEmpty())
        return {};
    const Face face = faceFromTables(font);
    std::unique_ptr<hb_subset_input_t, InputRelease> input(hb_subset_input_create_or_fail());
    if (!input)
        return {};
    hb_set_t* kept = hb_subset_input_glyph_set(input.get());
    hb_set_add(kept, 0);
    for (uint32_t glyph : glyphs)
        hb_set_add(kept, glyph);
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS);
    const Face subset(hb_subset_or_fail(face.get(), input.get()));
    if (!subset)
        return {};
    const Blob program(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(program.get(), &length);
    return length ? std::string(data, length) : std::string();
}

std::string subsetTag(const std::string& baseName, const std::set<uint32_t>& glyphs)
{
    // FNV-1a over the name and the glyph ids, spelled in base 26.
    uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (char c : baseName)
        mix(static_cast<uint8_t>(c));
    for (uint32_t glyph : glyphs)
        for (int shift = 0; shift < 32; shift += 8)
            mix(static_cast<uint8_t>(glyph >> shift));
    std::string tag;
    for (int i = 0; i < 6; ++i) {
        tag += static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag;
}

} // namespace orv
