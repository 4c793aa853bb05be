#pragma once

class QLineEdit;

namespace tw {

// A number field whose whole text is chosen whenever it takes the focus, by a click as by a key, so what the user
// types replaces it.
void selectAllOnFocus(QLineEdit* field);

} // namespace tw
