#include "tests/libs/export/xml_check.h"

#include <cctype>
#include <set>
#include <vector>

namespace orbit::exports::testing {

namespace {

bool NameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':'; }
bool NameChar(char c)
{
    return NameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
}

class Checker {
public:
    explicit Checker(const std::string& text) : t_(text) {}

    std::string Run()
    {
        if (t_.compare(0, 5, "<?xml") == 0) {
            const auto end = t_.find("?>");
            if (end == std::string::npos)
                return At("an XML declaration that does not end");
            p_ = end + 2;
        }
        bool rootSeen = false;
        while (p_ < t_.size()) {
            if (t_[p_] == '<') {
                if (t_.compare(p_, 4, "<!--") == 0) {
                    const auto end = t_.find("-->", p_ + 4);
                    if (end == std::string::npos)
                        return At("a comment that does not end");
                    p_ = end + 3;
                    continue;
                }
                if (t_.compare(p_, 2, "</") == 0) {
                    p_ += 2;
                    const std::string name = Name();
                    SkipBlanks();
                    if (name.empty() || p_ >= t_.size() || t_[p_] != '>')
                        return At("a malformed end tag");
                    ++p_;
                    if (open_.empty() || open_.back() != name)
                        return At("</" + name + "> does not close the open element");
                    open_.pop_back();
                    continue;
                }
                ++p_;
                const std::string name = Name();
                if (name.empty())
                    return At("a tag without a name");
                if (open_.empty() && rootSeen)
                    return At("a second root element");
                rootSeen = true;
                if (const std::string problem = Attributes(); !problem.empty())
                    return problem;
                if (t_.compare(p_, 2, "/>") == 0) {
                    p_ += 2;
                } else if (p_ < t_.size() && t_[p_] == '>') {
                    ++p_;
                    open_.push_back(name);
                } else {
                    return At("a start tag that does not end");
                }
                continue;
            }
            if (t_[p_] == '&') {
                if (const std::string problem = Reference(); !problem.empty())
                    return problem;
                continue;
            }
            if (open_.empty() && !std::isspace(static_cast<unsigned char>(t_[p_])))
                return At("text outside the root element");
            ++p_;
        }
        if (!rootSeen)
            return "no root element";
        if (!open_.empty())
            return "<" + open_.back() + "> is never closed";
        return {};
    }

private:
    std::string At(const std::string& what) const { return what + " at offset " + std::to_string(p_); }

    std::string Name()
    {
        const std::size_t start = p_;
        if (p_ < t_.size() && NameStart(t_[p_]))
            while (p_ < t_.size() && NameChar(t_[p_]))
                ++p_;
        return t_.substr(start, p_ - start);
    }

    void SkipBlanks()
    {
        while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_])))
            ++p_;
    }

    std::string Attributes()
    {
        std::set<std::string> names;
        for (;;) {
            const bool blank = p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_]));
            SkipBlanks();
            if (p_ >= t_.size() || t_[p_] == '>' || t_[p_] == '/')
                return {};
            if (!blank)
                return At("attributes not parted by blanks");
            const std::string name = Name();
            if (name.empty() || !names.insert(name).second)
                return At("a missing or repeated attribute name");
            SkipBlanks();
            if (p_ >= t_.size() || t_[p_] != '=')
                return At("an attribute without =");
            ++p_;
            SkipBlanks();
            if (p_ >= t_.size() || (t_[p_] != '"' && t_[p_] != '\''))
                return At("an attribute value without quotes");
            const char quote = t_[p_++];
            while (p_ < t_.size() && t_[p_] != quote) {
                if (t_[p_] == '<')
                    return At("< inside an attribute value");
                if (t_[p_] == '&') {
                    if (const std::string problem = Reference(); !problem.empty())
                        return problem;
                    continue;
                }
                ++p_;
            }
            if (p_ >= t_.size())
                return At("an attribute value that does not end");
            ++p_;
        }
    }

    std::string Reference()
    {
        const auto end = t_.find(';', p_);
        if (end == std::string::npos || end - p_ > 10)
            return At("a bare &");
        const std::string entity = t_.substr(p_ + 1, end - p_ - 1);
        static const std::set<std::string> known = {"amp", "lt", "gt", "quot", "apos"};
        const bool numeric = entity.size() > 1 && entity[0] == '#' &&
                             entity.find_first_not_of(entity[1] == 'x' ? "0123456789abcdefABCDEF" : "0123456789",
                                                      entity[1] == 'x' ? 2 : 1) == std::string::npos;
        if (!numeric && known.count(entity) == 0)
            return At("an unknown entity &" + entity + ";");
        p_ = end + 1;
        return {};
    }

    const std::string& t_;
    std::size_t p_ = 0;
    std::vector<std::string> open_;
};

}  // namespace

std::string XmlProblem(const std::string& text) { return Checker(text).Run(); }

}  // namespace orbit::exports::testing
