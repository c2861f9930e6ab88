#include "sheet/throw_fields.hpp"

#include "core/throw_entry.hpp"

namespace zelvo {

std::array<Score, 3> readThrows(const Window& window, const PlayerControls& player)
{
    std::array<Score, 3> throws{};
    for (std::size_t i = 0; i < throws.size(); ++i)
        throws[i] = throwValue(window.text(player.throwFields[i]));
    return throws;
}

void clearThrowFields(Window& window, const PlayerControls& player)
{
    for (std::string_view field : player.throwFields)
        window.setText(field, "");
}

} // namespace zelvo
