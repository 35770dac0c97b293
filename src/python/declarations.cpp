#include "python/declarations.hpp"

namespace velm::python {

CallableInfo describe(std::string_view signature, const char* docstring, std::string_view owner,
                      bool is_constructor) {
  CallableInfo info;
  const auto open = signature.find('(');
  const auto close = signature.rfind(')');
  info.name = std::string(signature.substr(0, open));
  if (owner.empty()) info.full_name = info.name + "()";
  else info.full_name = std::string(owner) + "." + (is_constructor ? "__new__" : info.name) + "()";

  std::string_view list = signature.substr(open + 1, close - open - 1);
  while (!list.empty()) {
    const auto comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    if (item != "$self") info.parameter_storage.emplace_back(item);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  for (const auto& name : info.parameter_storage) info.parameters.push_back(name.c_str());

  info.doc = std::string(signature) + "\n--\n\n";
  if (docstring != nullptr) info.doc += docstring;
  return info;
}

}  // namespace velm::python
