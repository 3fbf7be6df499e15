#pragma once

#include "rules/random_source.h"

namespace quarrow {

// Where the page's deals come from: the clock in the site, a stacked deck in
// the test page the browser tests serve.
RandomSource& PageRandomSource();

} // namespace quarrow
