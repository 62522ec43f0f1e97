// Dialog-template sizes under GTK's default theme.
#pragma once

namespace kvn {

// Makes GTK's buttons and entries fit the heights of dialog templates.
void ApplyCompactStyle();

} // namespace kvn
