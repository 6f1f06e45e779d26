// Base64 (RFC 4648, with padding) for the bytes a form file carries as text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvo {

std::string EncodeBase64(std::string_view bytes);
// nullopt for text that is not canonical padded base64.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace orvo
