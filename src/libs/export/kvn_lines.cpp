#include "export/kvn_lines.h"

#include "export/ccsds_messages.h"
#include "export/text_lines.h"
#include "core/orbit_error.h"

namespace orbit::exports {

namespace {
constexpr std::size_t kKeywordWidth = 20;
}

void KvnLine(std::string& out, std::string_view keyword, std::string_view value, std::string_view unit)
{
    out += keyword;
    if (keyword.size() < kKeywordWidth)
        out.append(kKeywordWidth - keyword.size(), ' ');
    out += " = ";
    out += value;
    if (!unit.empty()) {
        out += " [";
        out += unit;
        out += ']';
    }
    out += '\n';
}

void KvnComments(std::string& out, const std::vector<std::string>& comments)
{
    for (const std::string& comment : comments) {
        out += "COMMENT ";
        out += PlainText(comment, "comment");
        out += '\n';
    }
}

void KvnHeader(std::string& out, std::string_view versionKeyword, const MessageHeader& header)
{
    KvnLine(out, versionKeyword, "3.0");
    KvnLine(out, "CREATION_DATE", CcsdsTime(PlainText(header.creationDateUtc, "creation date")));
    KvnLine(out, "ORIGINATOR", PlainText(header.originator, "originator"));
    out += '\n';
}

}  // namespace orbit::exports

namespace orbit::exports {

void KvnObject(std::string& out, const MessageHeader& header)
{
    if (header.objectName.empty() || header.objectId.empty())
        throw OrbitError(ErrorKind::Usage, "The object's name and identifier must not be empty");
    KvnLine(out, "OBJECT_NAME", PlainText(header.objectName, "object name"));
    KvnLine(out, "OBJECT_ID", PlainText(header.objectId, "object identifier"));
    KvnLine(out, "CENTER_NAME", "EARTH");
}

}  // namespace orbit::exports
