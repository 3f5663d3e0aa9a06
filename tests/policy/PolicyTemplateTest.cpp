// The administrative templates shipped beside the program, read as Group
// Policy reads them: every policy's key, value name and values as the ADMX
// defines them are written to the registry exactly so, and the policy
// reader must see each one as meant; every ADML names every string and
// presentation the ADMX asks for. Templates and code cannot drift apart.

#include "framework/system/ExecutableFolder.h"
#include "policy/PolicyReader.h"
#include "tests/policy/MiniXml.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

using minixml::Element;

const char* const kLanguages[] = {"en-US", "de-DE", "fr-FR", "ja-JP"};

std::string TemplateFolder()
{
    return ExecutableFolder() + "PolicyDefinitions\\";
}

std::unique_ptr<Element> ReadTemplate(const std::string& relative)
{
    std::ifstream file(TemplateFolder() + relative, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_FALSE(text.str().empty()) << relative << " missing";
    return minixml::Parse(text.str());
}

void ClearPolicies()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteKeyA(root, policy::kPolicyKey);
}

void WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(handle);
}

void WriteDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    WriteValue(root, key, name, REG_DWORD, &value, sizeof value);
}

void WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& text)
{
    WriteValue(root, key, name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

// What the reader made of the value, as PoliciesInForce lists it; "" when
// the value was not taken.
std::string InForce(const std::string& name)
{
    for (const policy::PolicyInForce& entry : policy::PoliciesInForce(policy::ReadPolicies()))
        if (entry.name == name)
            return entry.value;
    return "";
}

// A text element has no values of its own in the template: what an
// administrator would type, what the reader lists for it, the longest
// text the reader takes and whether its limit is the element's maxLength.
struct TextSample {
    std::string typed;
    std::string listed;
    size_t limit;
    std::string (*longest)(size_t length);
};

std::string LongestModeList(size_t length)
{
    return "max" + std::string(length - 8, ' ') + ",high";
}

std::string LongestPath(size_t length)
{
    return "C:\\" + std::string(length - 8, 'p') + ".prom";
}

const std::map<std::string, TextSample>& TextSamples()
{
    static const std::map<std::string, TextSample> samples = {
        {policy::PolicyName::AllowedModes,
         {"max, medium,TURBO", "turbo,medium,max", policy::kMaxModeListChars, &LongestModeList}},
        {policy::PolicyName::MetricsFile,
         {"C:\\ProgramData\\Pellix\\pellix.prom", "C:\\ProgramData\\Pellix\\pellix.prom",
          policy::kMaxMetricsPathChars, &LongestPath}},
    };
    return samples;
}

class PolicyTemplateTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPolicies();
        admx_ = ReadTemplate("Pellix.admx");
        policies_ = admx_->Child("policies");
        ASSERT_NE(policies_, nullptr);
    }
    void TearDown() override { ClearPolicies(); }

    // The hives the policy's class writes to.
    static std::vector<HKEY> Hives(const Element& policy)
    {
        const std::string cls = policy.Attribute("class");
        std::vector<HKEY> hives;
        if (cls == "Machine" || cls == "Both")
            hives.push_back(HKEY_LOCAL_MACHINE);
        if (cls == "User" || cls == "Both")
            hives.push_back(HKEY_CURRENT_USER);
        return hives;
    }

    std::unique_ptr<Element> admx_;
    const Element* policies_ = nullptr;
};

} // namespace

TEST_F(PolicyTemplateTest, EveryValueTheTemplateWritesIsReadAsMeant)
{
    std::set<std::string> covered;
    for (const Element* policy : policies_->Children("policy")) {
        const std::string name = policy->Attribute("name");
        SCOPED_TRACE(name);
        const std::string key = policy->Attribute("key");
        EXPECT_EQ(key, policy::kPolicyKey);
        const std::vector<HKEY> hives = Hives(*policy);
        ASSERT_FALSE(hives.empty()) << "class " << policy->Attribute("class");
        bool written = false;
        for (HKEY hive : hives) {
            SCOPED_TRACE(hive == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU");
            // A policy switched on or off writes its valueName's decimals.
            if (const std::string valueName = policy->Attribute("valueName"); !valueName.empty()) {
                covered.insert(valueName);
                for (const char* state : {"enabledValue", "disabledValue"}) {
                    const Element* value = policy->Child(state);
                    ASSERT_NE(value, nullptr) << state;
                    const Element* decimal = value->Child("decimal");
                    ASSERT_NE(decimal, nullptr) << state << " is no decimal";
                    const DWORD number = DWORD(std::stoul(decimal->Attribute("value")));
                    WriteDword(hive, key, valueName, number);
                    EXPECT_EQ(InForce(valueName), std::to_string(number)) << state;
                    ClearPolicies();
                }
                written = true;
            }
            const Element* elements = policy->Child("elements");
            if (!elements)
                continue;
            for (const auto& element : elements->children) {
                const std::string valueName = element->Attribute("valueName");
                SCOPED_TRACE(element->name + " " + valueName);
                ASSERT_FALSE(valueName.empty());
                covered.insert(valueName);
                written = true;
                if (element->name == "enum") {
                    for (const Element* item : element->Children("item")) {
                        const Element* value = item->Child("value");
                        ASSERT_NE(value, nullptr);
                        const Element* text = value->Child("string");
                        ASSERT_NE(text, nullptr) << "enum items write strings";
                        WriteString(hive, key, valueName, text->text);
                        EXPECT_EQ(InForce(valueName), text->text);
                        ClearPolicies();
                    }
                } else if (element->name == "decimal") {
                    const DWORD low = DWORD(std::stoul(element->Attribute("minValue")));
                    const DWORD high = DWORD(std::stoul(element->Attribute("maxValue")));
                    for (DWORD number : {low, (low + high) / 2, high}) {
                        WriteDword(hive, key, valueName, number);
                        EXPECT_EQ(InForce(valueName), std::to_string(number));
                    }
                    // Past what the template lets an administrator enter: ignored.
                    WriteDword(hive, key, valueName, high + 1);
                    EXPECT_EQ(InForce(valueName), "");
                    ClearPolicies();
                } else if (element->name == "text") {
                    const auto sample = TextSamples().find(valueName);
                    ASSERT_NE(sample, TextSamples().end()) << "no sample for this text";
                    WriteString(hive, key, valueName, sample->second.typed);
                    EXPECT_EQ(InForce(valueName), sample->second.listed);
                    const size_t maxLength = std::stoul(element->Attribute("maxLength"));
                    EXPECT_EQ(maxLength, sample->second.limit) << "the template's maxLength is not the reader's";
                    WriteString(hive, key, valueName, sample->second.longest(maxLength));
                    EXPECT_NE(InForce(valueName), "") << "the longest text the template allows";
                    WriteString(hive, key, valueName, sample->second.longest(maxLength + 1));
                    EXPECT_EQ(InForce(valueName), "");
                    ClearPolicies();
                } else {
                    ADD_FAILURE() << "element the test does not know";
                }
            }
        }
        EXPECT_TRUE(written) << "the policy writes nothing";
    }
    // The template offers every value the program reads.
    for (const char* name : policy::kPolicyValueNames)
        EXPECT_TRUE(covered.count(name)) << name << " is not in the template";
    EXPECT_EQ(covered.size(), std::size(policy::kPolicyValueNames)) << "the template writes a value the program ignores";
}

TEST_F(PolicyTemplateTest, TheMachinesValueWinsOverTheUsers)
{
    WriteString(HKEY_CURRENT_USER, policy::kPolicyKey, policy::PolicyName::ForcedMode, "turbo");
    WriteString(HKEY_LOCAL_MACHINE, policy::kPolicyKey, policy::PolicyName::ForcedMode, "max");
    WriteDword(HKEY_CURRENT_USER, policy::kPolicyKey, policy::PolicyName::ExitHidden, 1);
    EXPECT_EQ(InForce(policy::PolicyName::ForcedMode), "max");
    EXPECT_EQ(InForce(policy::PolicyName::ExitHidden), "1");
    // A bad machine value counts as absent: the user's holds.
    WriteString(HKEY_LOCAL_MACHINE, policy::kPolicyKey, policy::PolicyName::ForcedMode, "fastest");
    EXPECT_EQ(InForce(policy::PolicyName::ForcedMode), "turbo");
    // A value too long to be fetched is refused unread.
    WriteString(HKEY_CURRENT_USER, policy::kPolicyKey, policy::PolicyName::MetricsFile,
                "C:\\" + std::string(2000, 'x'));
    EXPECT_EQ(InForce(policy::PolicyName::MetricsFile), "");
}

TEST_F(PolicyTemplateTest, EveryLanguageHoldsEveryStringAndPresentation)
{
    std::set<std::string> strings, presentations;
    // Per presentation, the element ids it must lay out.
    std::map<std::string, std::set<std::string>> elementIds;
    admx_->Walk([&](const Element& element) {
        for (const auto& [key, value] : element.attributes) {
            if (value.rfind("$(string.", 0) == 0)
                strings.insert(value.substr(9, value.size() - 10));
            else if (value.rfind("$(presentation.", 0) == 0)
                presentations.insert(value.substr(15, value.size() - 16));
        }
    });
    for (const Element* policy : policies_->Children("policy")) {
        const std::string presentation = policy->Attribute("presentation");
        const Element* elements = policy->Child("elements");
        EXPECT_EQ(presentation.empty(), elements == nullptr) << policy->Attribute("name");
        if (elements)
            for (const auto& element : elements->children)
                elementIds[presentation.substr(15, presentation.size() - 16)].insert(element->Attribute("id"));
    }
    ASSERT_GT(strings.size(), 20u);
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const std::unique_ptr<Element> adml = ReadTemplate(std::string(language) + "\\Pellix.adml");
        const Element* resources = adml->Child("resources");
        ASSERT_NE(resources, nullptr);
        std::set<std::string> defined;
        for (const Element* text : resources->Child("stringTable")->Children("string")) {
            EXPECT_FALSE(text->text.empty()) << text->Attribute("id");
            defined.insert(text->Attribute("id"));
        }
        for (const std::string& id : strings)
            EXPECT_TRUE(defined.count(id)) << "string " << id;
        const Element* table = resources->Child("presentationTable");
        ASSERT_NE(table, nullptr);
        std::map<std::string, std::set<std::string>> laidOut;
        for (const Element* presentation : table->Children("presentation")) {
            std::set<std::string>& refs = laidOut[presentation->Attribute("id")];
            for (const auto& control : presentation->children)
                refs.insert(control->Attribute("refId"));
        }
        for (const std::string& id : presentations) {
            ASSERT_TRUE(laidOut.count(id)) << "presentation " << id;
            for (const std::string& element : elementIds[id])
                EXPECT_TRUE(laidOut[id].count(element)) << "presentation " << id << " lacks " << element;
        }
    }
}

TEST(MiniXmlTest, ReadsWhatTheTemplatesUseAndRefusesBrokenMarkup)
{
    const auto root = minixml::Parse("<?xml version=\"1.0\"?><!-- c --><a x='1' y=\"&lt;b&amp;\"><b/>t&gt;<c>d</c></a>");
    EXPECT_EQ(root->Attribute("y"), "<b&");
    EXPECT_EQ(root->text, "t>");
    EXPECT_EQ(root->Child("c")->text, "d");
    for (const char* broken : {"<a>", "<a></b>", "<a x=1/>", "<a x='1' x='2'/>", "<a>&bogus;</a>", "<a/><b/>"})
        EXPECT_THROW(minixml::Parse(broken), minixml::ParseError) << broken;
}
