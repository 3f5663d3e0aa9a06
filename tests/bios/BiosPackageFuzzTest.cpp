// Damaged description packages: whatever the bytes, the walk stays inside
// the package and loading an item never crashes or asserts.

#include "board/core/Package.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosBooleanItem.h"
#include "kelp/vantor/BiosNumberItem.h"
#include "kelp/vantor/BiosStringItem.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <random>

namespace {
using vboard::package::Writer;

// One 4096-byte page between two inaccessible pages: any read outside it
// faults and ends the test.
class GuardedPage {
public:
    GuardedPage()
    {
        base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, 3 * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_, kPage, PAGE_NOACCESS, &old);
        VirtualProtect(base_ + 2 * kPage, kPage, PAGE_NOACCESS, &old);
    }
    ~GuardedPage() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;

    unsigned char* Data() const { return base_ + kPage; }
    static constexpr size_t kPage = 4096;

private:
    unsigned char* base_;
};

Writer RandomDescription(std::mt19937& random, uint32_t& id)
{
    static const uint32_t kinds[] = {0x31000001, 0x31020002, 0x31070003, 0x31080004};
    id = kinds[random() % 4];
    Writer writer;
    writer.Integer(id);
    writer.String("Fuzzed item");
    writer.Integer(random() % 2 ? 0x40000000 : 0);
    writer.Integer(random() % 5);
    unsigned strings = 1 + random() % 4;
    switch ((id >> 16) & 0xF) {
    case 7:
        writer.Integer(2);
        break;
    case 8:
        writer.Integer(strings);
        for (unsigned i = 0; i < strings; ++i)
            writer.String(std::string(random() % 12, char('a' + i)));
        break;
    default:
        writer.Integer((random() & 0xFF) << 24 | (random() & 0xFFFFFF));
        writer.Integer(random() & 0xFFFFFF);
        writer.Integer(random() % 50);
        if (random() % 2) {
            writer.Integer(strings);
            for (unsigned i = 0; i < strings; ++i)
                writer.String("extra" + std::to_string(i));
        }
    }
    return writer;
}

// Applies one kind of damage to the package in `bytes`; returns the size
// handed to Load.
uint32_t Damage(std::mt19937& random, unsigned char* bytes, uint32_t size)
{
    auto word = [&](uint32_t offset, uint32_t value) { std::memcpy(bytes + offset, &value, 4); };
    switch (random() % 7) {
    case 0: // stray bits anywhere
        for (int flips = 1 + random() % 8; flips > 0; --flips)
            bytes[random() % size] ^= uint8_t(1 << (random() % 8));
        return size;
    case 1: // truncated transfer
        return uint32_t(random() % size);
    case 2: // more elements claimed than present
        word(8, 5 + random() % 600);
        return size;
    case 3: // package length beyond the buffer, or nonsense
        word(4, random() % 2 ? 4096 + random() % 100000 : random());
        return size;
    case 4: // strings lose their terminators (and padding), structure intact
        for (uint32_t offset = 12; offset + 8 <= size;) {
            uint16_t tag;
            uint32_t length;
            std::memcpy(&tag, bytes + offset, 2);
            std::memcpy(&length, bytes + offset + 4, 4);
            uint32_t padded = (length + 3) & ~3u;
            if (tag == vboard::package::kString)
                std::memset(bytes + offset + 8, 'X', padded);
            offset += 8 + padded;
        }
        return size;
    case 5: // an element length far beyond the package
        word(12 + 8 * (random() % 4) + 4, 0xFFFFFF00u + random() % 256);
        return size;
    default: // few elements
        word(8, random() % 3);
        return size;
    }
}

std::unique_ptr<kelp::BiosItem> ItemFor(uint32_t id)
{
    switch ((id >> 16) & 0xF) {
    case 7: return std::make_unique<kelp::BiosBooleanItem>();
    case 8: return std::make_unique<kelp::BiosStringItem>();
    default: return std::make_unique<kelp::BiosNumberItem>();
    }
}

// Uses what a parsed item offers the way the adapters do.
void Exercise(const kelp::BiosItem& item, uint32_t id)
{
    unsigned limit = std::min(item.GetCount(), 64u);
    bool strings = ((id >> 16) & 0xF) == 8;
    for (unsigned index = 0; index < limit; ++index) {
        volatile size_t length = item.IndexToString(index).size();
        (void)length;
        int64_t numerator, denominator;
        if (!strings) // beyond any extra strings: no notice
            item.IndexToRational(item.GetCount() + index, numerator, denominator);
    }
}

TEST(BiosPackageFuzz, IntactPackagesAlwaysLoad)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 500; ++round) {
        uint32_t id;
        Writer writer = RandomDescription(random, id);
        auto item = ItemFor(id);
        ASSERT_TRUE(item->Load(writer.Bytes().data(), uint32_t(writer.Bytes().size()))) << round;
        EXPECT_EQ(item->GetId(), id);
        Exercise(*item, id);
    }
}

TEST(BiosPackageFuzz, WalkNeverLeavesADamagedPackage)
{
    GuardedPage page;
    std::mt19937 random(7);
    for (int round = 0; round < 10000; ++round) {
        uint32_t id;
        Writer writer = RandomDescription(random, id);
        // Packages live in buffers of the 4096-byte transfer size: the page.
        // The filler has no terminator, so a text read that ignores the
        // package bounds runs into the guard page.
        uint32_t size = uint32_t(writer.Bytes().size());
        unsigned char* package = page.Data();
        std::memset(page.Data(), 'Z', GuardedPage::kPage);
        std::memcpy(package, writer.Bytes().data(), size);
        Damage(random, package, size);

        uint32_t count = VtAcpiElementCount(package);
        ASSERT_LE(count, GuardedPage::kPage / 8);
        const void* element = VtAcpiFirstElement(package);
        for (uint32_t i = 0; i < count + 4; ++i) {
            const char* data = static_cast<const char*>(VtAcpiElementData(element));
            uint32_t value;
            std::memcpy(&value, data, sizeof value);
            volatile size_t length = std::strlen(data);
            (void)length;
            element = VtAcpiNextElement(element);
        }
    }
}

TEST(BiosPackageFuzz, DamagedPackagesFailToParseButNeverCrash)
{
    GuardedPage page;
    std::mt19937 random(1208);
    int parsed = 0, failed = 0;
    for (int round = 0; round < 10000; ++round) {
        uint32_t id;
        Writer writer = RandomDescription(random, id);
        std::memset(page.Data(), 0, GuardedPage::kPage);
        std::memcpy(page.Data(), writer.Bytes().data(), writer.Bytes().size());
        uint32_t size = Damage(random, page.Data(), uint32_t(writer.Bytes().size()));
        // The item kind follows the identifier the enumerator saw, which
        // the damage may have changed.
        uint32_t seen;
        std::memcpy(&seen, page.Data() + 20, sizeof seen);
        auto item = ItemFor(random() % 2 ? id : seen);
        if (item->Load(page.Data(), size)) {
            ++parsed;
            Exercise(*item, item->GetId());
        } else {
            ++failed;
        }
    }
    EXPECT_GT(failed, 1000) << "the damage was noticed";
    EXPECT_GT(parsed, 100) << "harmless damage still loads";
}

TEST(BiosPackageLoad, TooFewElementsFailAndMissingExtrasAreOptional)
{
    Writer shortPackage;
    shortPackage.Integer(0x31000001);
    shortPackage.String("two elements");
    kelp::BiosNumberItem item;
    EXPECT_FALSE(item.Load(shortPackage.Bytes().data(), uint32_t(shortPackage.Bytes().size())));
    EXPECT_FALSE(item.Load(nullptr, 0));

    Writer plain;
    for (uint32_t element : {0x31000001u, 0u, 0u, 0u, 0u, 1u, 7u})
        plain.Integer(element);
    ASSERT_TRUE(item.Load(plain.Bytes().data(), uint32_t(plain.Bytes().size())));
    EXPECT_EQ(item.GetCount(), 7u);
    EXPECT_EQ(item.IndexToString(6), "6");

    Writer noTexts = plain;
    noTexts.Integer(1); // one extra string announced, none follows
    EXPECT_FALSE(item.Load(noTexts.Bytes().data(), uint32_t(noTexts.Bytes().size())));
}

// Each element-count check of the parsers, on both sides of its limit.
Writer Description(uint32_t id, std::initializer_list<uint32_t> numbers, std::initializer_list<const char*> texts)
{
    Writer writer;
    writer.Integer(id);
    writer.String("Item");
    writer.Integer(0); // attributes
    writer.Integer(1); // header value
    for (uint32_t number : numbers)
        writer.Integer(number);
    for (const char* text : texts)
        writer.String(text);
    return writer;
}

bool Loads(kelp::BiosItem& item, const Writer& writer)
{
    return item.Load(writer.Bytes().data(), uint32_t(writer.Bytes().size()));
}

TEST(BiosPackageLoad, NumberItemElementCountsOnEitherSideOfEachLimit)
{
    kelp::BiosNumberItem number;
    EXPECT_FALSE(Loads(number, Description(0x31000001, {0, 1}, {}))) << "index count missing";
    ASSERT_TRUE(Loads(number, Description(0x31000001, {0, 1, 3}, {}))) << "no extra strings";
    EXPECT_EQ(number.GetCount(), 3u);
    EXPECT_FALSE(Loads(number, Description(0x31000001, {0, 1, 3, 0}, {"x"}))) << "zero extra strings announced";
    EXPECT_FALSE(Loads(number, Description(0x31000001, {0, 1, 3, 2}, {"Auto"}))) << "one of two extra strings";
    ASSERT_TRUE(Loads(number, Description(0x31000001, {0, 1, 3, 2}, {"Auto", "Off"}))) << "exactly two";
    EXPECT_EQ(number.GetCount(), 5u);
    EXPECT_EQ(number.IndexToString(1), "Off");
    EXPECT_EQ(number.IndexToString(2), "0");
    ASSERT_TRUE(Loads(number, Description(0x31000001, {0, 1, 3, 1}, {"Auto", "spare"}))) << "more than announced";
    EXPECT_EQ(number.GetCount(), 4u);
    EXPECT_EQ(number.IndexToString(1), "0");
}

TEST(BiosPackageLoad, StringAndBooleanItemElementCountsOnEitherSideOfEachLimit)
{
    kelp::BiosStringItem strings;
    EXPECT_FALSE(Loads(strings, Description(0x31080004, {1}, {}))) << "its one string missing";
    ASSERT_TRUE(Loads(strings, Description(0x31080004, {1}, {"Low"}))) << "one string";
    EXPECT_EQ(strings.GetCount(), 1u);
    EXPECT_FALSE(Loads(strings, Description(0x31080004, {0}, {"x"}))) << "zero strings announced";
    EXPECT_FALSE(Loads(strings, Description(0x31080004, {3}, {"Low", "High"}))) << "two of three";
    ASSERT_TRUE(Loads(strings, Description(0x31080004, {2}, {"Low", "High"}))) << "exactly two";
    EXPECT_EQ(strings.GetCount(), 2u);
    EXPECT_EQ(strings.IndexToString(1), "High");

    kelp::BiosBooleanItem toggle;
    Writer bare;
    bare.Integer(0x31070003);
    bare.String("Item");
    bare.Integer(0);
    EXPECT_FALSE(Loads(toggle, bare)) << "no header value";
    EXPECT_TRUE(Loads(toggle, Description(0x31070003, {}, {})));
}

} // namespace
