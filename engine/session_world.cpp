#include "engine/session_world.h"

#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

namespace mirelta {

int scenarioColour(const SessionWorld& world) {
    return world.scenario.number(scenario_field::Colour);
}

void startTimer(TickTimers& timers, bool grey, const EventTrace& trace) {
    timers.grey = grey;
    timers.colour = !grey;
    trace(grey ? "timer G" : "timer A");
}

void putBackground(SessionWorld& world, int index, const EventTrace& trace) {
    world.scene.background().picture = world.backgrounds.picture(index);
    trace("im " + std::to_string(index));
}

void centreOnPanel(PictureBox& box) {
    constexpr double kHalfPanel = kPanelSize / 2.0;
    box.setPosition({towardZero(kHalfPanel - box.size().width() / 2.0),
                     towardZero(kHalfPanel - box.size().height() / 2.0)});
}

} // namespace mirelta
