// The host's side: its registration table, its count of live objects and the calls the host
// program makes beyond the SDK.
#include "src/objects.h"

namespace fmxhost {

namespace detail {

RegistrationTable& Registrations() {
    static RegistrationTable table;
    return table;
}

std::atomic<long>& LiveCount() {
    static std::atomic<long> live{0};
    return live;
}

std::atomic<int>& FailCountdown() {
    static std::atomic<int> countdown{0};
    return countdown;
}

}  // namespace detail

std::vector<Registration> Registrations() {
    detail::RegistrationTable& table = detail::Registrations();
    std::lock_guard lock(table.mutex);
    return table.rows;
}

void FailRegistrationAt(int n) {
    detail::RegistrationTable& table = detail::Registrations();
    std::lock_guard lock(table.mutex);
    table.fail_countdown = n;
}

void FailCallAt(int n) {
    detail::FailCountdown().store(n);
}

long LiveObjects() {
    return detail::LiveCount().load();
}

void AssignUnits(fmx::Text& text, std::u16string_view units) {
    detail::impl<detail::TextImpl>(&text).units.assign(units.begin(), units.end());
}

fmx::int32 StoredType(const fmx::Data& data) {
    return detail::impl<const detail::DataImpl>(&data).type;
}

std::string QuadCharText(const fmx::QuadChar& type) {
    const char* chars = detail::impl<detail::QuadCharImpl>(&type).chars;
    return std::string(chars, 4);
}

const fmx::ExprEnv& Environment() {
    static const detail::ExprEnvImpl env;
    return *detail::as<const fmx::ExprEnv>(env);
}

}  // namespace fmxhost
