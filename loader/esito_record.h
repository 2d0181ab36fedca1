// esito_record: how the reading of one record ends. The next record follows; or the
// record's position failed the fits-in-grid test (code 15), which ends the reading
// like the end of the file; or the load stopped with a code, and the reading goes on
// after it only as ripresa.h decides.
#pragma once

enum class esito_record : int { avanti, fuori_griglia, fermo };
