#pragma once

namespace rt::web::page {

/// Sends the page, once, the runtime's definitions it shares: input types, focus kinds,
/// control kinds, key names, modifier bits, measurements, the fields of a look, the words it
/// shows and the palette.
void sendDefinitions();

} // namespace rt::web::page
