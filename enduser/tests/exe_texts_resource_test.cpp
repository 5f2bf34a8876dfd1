// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/exe_texts_resource.h"

#include <gtest/gtest.h>

#include "enduser/carried_record.h"
#include "enduser/end_user_program.h"
#include "enduser/object_identity.h"
#include "enduser/resource_bundle.h"

namespace tarn {
namespace {

TEST(CarriedExeTexts, CarryOnlyChangedTextsAndComeBackUnderTheChecksum) {
    const std::vector<std::string> original = {"Sword", "Shield", "Gold", "Door"};
    const std::vector<std::string> translated = {"Miecz", "Shield", "Zloto", "Drzwi"};
    CarriedExeTexts carried = differingExeTexts(original, translated, {4});
    ASSERT_EQ(carried.texts.size(), 2u);
    EXPECT_EQ(carried.texts[0].number, 1);
    EXPECT_EQ(carried.texts[0].original, sha256("Sword"));
    EXPECT_EQ(carried.texts[1].translated, "Zloto");
    carried.primaryLangId = 14;
    carried.secondaryLangId = 0;
    carried.mayGrow = true;

    ObjectFile file;
    file.fileName = "A.DAT";
    file.texts = {{{14, "tekst"}}};
    EndUserOptions options;
    options.exeTexts = carried;
    const ResourceBundle bundle =
        ResourceBundle::parse(buildEndUserProgram(Bytes{'E', 'L', 'F'}, {file}, options));
    const Bytes* objectTexts = bundle.find({10, ResourceName::string("OBJTEXTS"), 0});
    const Bytes* data = bundle.find({10, ResourceName::string("EXETEXTS"), 0});
    ASSERT_NE(objectTexts, nullptr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(readCarriedExeTexts(*data, *objectTexts), carried);

    // Any byte edited after the build, in either resource, is refused.
    for (std::size_t at = 0; at < data->size(); ++at) {
        Bytes edited = *data;
        edited[at] ^= 0x20;
        EXPECT_THROW(readCarriedExeTexts(edited, *objectTexts), CarriedDataError) << at;
    }
    Bytes editedTexts = *objectTexts;
    editedTexts.back() ^= 1;
    EXPECT_THROW(readCarriedExeTexts(*data, editedTexts), CarriedDataError);
    EXPECT_THROW(readCarriedExeTexts(Bytes(data->begin(), data->end() - 5), *objectTexts),
                 CarriedDataError);
}

// Programs already handed to players carry records under this checksum: it must stay CRC-32 as
// zip has it, at every length and alignment.
TEST(CarriedRecord, ChecksumIsZipsCrc32) {
    const std::string check = "123456789";
    EXPECT_EQ(crc32(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()),
              0xCBF43926u);
    const auto bitwise = [](const std::uint8_t* data, std::size_t size) {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < size; ++i) {
            crc ^= data[i];
            for (int k = 0; k < 8; ++k) {
                crc = (crc & 1) != 0 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
            }
        }
        return crc ^ 0xFFFFFFFFu;
    };
    Bytes bytes(40);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    for (std::size_t from = 0; from < 8; ++from) {
        for (std::size_t size = 0; from + size <= bytes.size(); ++size) {
            EXPECT_EQ(crc32(bytes.data() + from, size), bitwise(bytes.data() + from, size))
                << from << " " << size;
        }
    }
}

}  // namespace
}  // namespace tarn
