// The picture operations of the control that read picture files.

#include "control/TORVREP.h"

#include "pictures/PictureInfo.h"

namespace orv {

namespace {

constexpr int32_t kNoInformation = -1;

} // namespace

// Only a Long selects an attribute: the same number given as text, Integer
// or Double reports nothing.
Variant TORVREP::GetImageInfo(const Variant& attribute, const Variant& fileName)
{
    return runTrapped([&] {
        if (!m_report->GdiPlusAvailable || attribute.type() != VarType::I4 || !fileName.isString())
            return Variant(kNoInformation);
        const std::optional<TPictureAttribute> value = pictureAttribute(fileName.toString(), attribute.toInt32());
        if (!value)
            return Variant(kNoInformation);
        return std::visit([](const auto& v) { return Variant(v); }, *value);
    });
}

} // namespace orv
