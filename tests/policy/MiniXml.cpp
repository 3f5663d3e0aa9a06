#include "tests/policy/MiniXml.h"

#include <cctype>
#include <cstring>

namespace minixml {
namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    std::unique_ptr<Element> Document()
    {
        SkipMarkup();
        std::unique_ptr<Element> root = ParseElement();
        SkipMarkup();
        if (at_ != text_.size())
            throw ParseError("content after the root element");
        return root;
    }

private:
    // Blanks, the declaration and comments between elements.
    void SkipMarkup()
    {
        for (;;) {
            while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
                ++at_;
            if (text_.compare(at_, 2, "<?") == 0)
                at_ = Find("?>") + 2;
            else if (text_.compare(at_, 4, "<!--") == 0)
                at_ = Find("-->") + 3;
            else
                return;
        }
    }

    size_t Find(const char* what) const
    {
        const size_t found = text_.find(what, at_);
        if (found == std::string::npos)
            throw ParseError(std::string("missing ") + what);
        return found;
    }

    std::string Name()
    {
        const size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
                                      text_[at_] == ':' || text_[at_] == '_' || text_[at_] == '-' || text_[at_] == '.'))
            ++at_;
        if (at_ == start)
            throw ParseError("name expected at " + std::to_string(start));
        return text_.substr(start, at_ - start);
    }

    static std::string Resolve(const std::string& raw)
    {
        static const std::pair<const char*, char> entities[] = {
            {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
        std::string out;
        for (size_t i = 0; i < raw.size();) {
            if (raw[i] != '&') {
                out += raw[i++];
                continue;
            }
            bool known = false;
            for (const auto& [entity, c] : entities)
                if (raw.compare(i, std::strlen(entity), entity) == 0) {
                    out += c;
                    i += std::strlen(entity);
                    known = true;
                    break;
                }
            if (!known)
                throw ParseError("unknown entity");
        }
        return out;
    }

    void Blanks()
    {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }

    std::unique_ptr<Element> ParseElement()
    {
        if (text_.compare(at_, 1, "<") != 0)
            throw ParseError("element expected");
        ++at_;
        auto element = std::make_unique<Element>();
        element->name = Name();
        for (;;) {
            Blanks();
            if (text_.compare(at_, 2, "/>") == 0) {
                at_ += 2;
                return element;
            }
            if (text_.compare(at_, 1, ">") == 0) {
                ++at_;
                break;
            }
            const std::string key = Name();
            Blanks();
            if (text_.compare(at_, 1, "=") != 0)
                throw ParseError("= expected after " + key);
            ++at_;
            Blanks();
            const char quote = at_ < text_.size() ? text_[at_] : 0;
            if (quote != '"' && quote != '\'')
                throw ParseError("quoted value expected for " + key);
            const size_t end = text_.find(quote, ++at_);
            if (end == std::string::npos)
                throw ParseError("unterminated value of " + key);
            if (!element->attributes.emplace(key, Resolve(text_.substr(at_, end - at_))).second)
                throw ParseError("attribute twice: " + key);
            at_ = end + 1;
        }
        for (;;) {
            const size_t tag = Find("<");
            element->text += Resolve(text_.substr(at_, tag - at_));
            at_ = tag;
            if (text_.compare(at_, 4, "<!--") == 0) {
                at_ = Find("-->") + 3;
            } else if (text_.compare(at_, 2, "</") == 0) {
                at_ += 2;
                if (Name() != element->name)
                    throw ParseError("mismatched end of " + element->name);
                Blanks();
                if (text_.compare(at_, 1, ">") != 0)
                    throw ParseError("> expected");
                ++at_;
                return element;
            } else {
                element->children.push_back(ParseElement());
            }
        }
    }

    const std::string& text_;
    size_t at_ = 0;
};

} // namespace

std::string Element::Attribute(const std::string& key) const
{
    const auto found = attributes.find(key);
    return found == attributes.end() ? std::string() : found->second;
}

const Element* Element::Child(const std::string& childName) const
{
    for (const auto& child : children)
        if (child->name == childName)
            return child.get();
    return nullptr;
}

std::vector<const Element*> Element::Children(const std::string& childName) const
{
    std::vector<const Element*> found;
    for (const auto& child : children)
        if (child->name == childName)
            found.push_back(child.get());
    return found;
}

void Element::Walk(const std::function<void(const Element&)>& visit) const
{
    visit(*this);
    for (const auto& child : children)
        child->Walk(visit);
}

std::unique_ptr<Element> Parse(const std::string& document)
{
    return Parser(document).Document();
}

} // namespace minixml
