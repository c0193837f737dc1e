#pragma once
// Writing the lines of a KVN message: keywords aligned on their "=", units in
// brackets after the value, comments one to a line.

#include "export/export_inputs.h"

#include <string>
#include <string_view>
#include <vector>

namespace orbit::exports {

void KvnLine(std::string& out, std::string_view keyword, std::string_view value, std::string_view unit = {});
void KvnComments(std::string& out, const std::vector<std::string>& comments);

// The header every message of the standard opens with.
void KvnHeader(std::string& out, std::string_view versionKeyword, const MessageHeader& header);
// OBJECT_NAME, OBJECT_ID and CENTER_NAME = EARTH. Throws OrbitError (Usage)
// for an empty name or one holding a line break.
void KvnObject(std::string& out, const MessageHeader& header);

}  // namespace orbit::exports
