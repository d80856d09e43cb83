#include "client/account/json_members.h"

#include <simdjson.h>

namespace account {

JsonMembers JsonMembers::parse(std::string_view text)
{
    JsonMembers result;
    // The on-demand reader is lazy and would accept a document that breaks
    // off after the members it was asked for; the DOM parser validates the
    // whole text first.
    simdjson::dom::parser validator;
    simdjson::dom::element root;
    if (validator.parse(text.data(), text.size()).get(root) != simdjson::SUCCESS)
        return result;
    if (root.type() != simdjson::dom::element_type::OBJECT)
        return result;

    simdjson::padded_string padded(text);
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document doc;
    simdjson::ondemand::object object;
    if (parser.iterate(padded).get(doc) != simdjson::SUCCESS || doc.get_object().get(object))
        return result;

    std::vector<Member> members;
    for (auto field_result : object) {
        simdjson::ondemand::field field;
        if (std::move(field_result).get(field) != simdjson::SUCCESS)
            return result;
        std::string_view key;
        if (field.unescaped_key().get(key) != simdjson::SUCCESS)
            return result;
        Member member;
        member.name = std::string(key);
        simdjson::ondemand::value value = field.value();
        simdjson::ondemand::json_type type;
        if (value.type().get(type) != simdjson::SUCCESS)
            return result;
        if (type == simdjson::ondemand::json_type::string) {
            member.raw = std::string(simdjson::trim(value.raw_json_token()));
            std::string_view unescaped;
            if (value.get_string().get(unescaped) != simdjson::SUCCESS)
                return result;
            member.text = std::string(unescaped);
        } else {
            std::string_view raw;
            if (simdjson::to_json_string(value).get(raw) != simdjson::SUCCESS)
                return result;
            member.raw = std::string(raw);
            member.text = member.raw;
        }
        members.push_back(std::move(member));
    }
    result.m_object = true;
    result.m_members = std::move(members);
    return result;
}

const JsonMembers::Member* JsonMembers::find(std::string_view name) const
{
    // The first of repeated names wins, as a reader that stops at the first match gives.
    for (const Member& member : m_members)
        if (member.name == name)
            return &member;
    return nullptr;
}

std::string JsonMembers::raw(std::string_view name) const
{
    const Member* member = find(name);
    return member ? member->raw : std::string();
}

std::string JsonMembers::text(std::string_view name) const
{
    const Member* member = find(name);
    return member ? member->text : std::string();
}

std::vector<std::string> JsonMembers::names() const
{
    std::vector<std::string> names;
    names.reserve(m_members.size());
    for (const Member& member : m_members)
        names.push_back(member.name);
    return names;
}

}  // namespace account
