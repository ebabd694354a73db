#pragma once
// The ticker's one built-in skin: its colours, the Shade strip's label tops, and the
// Standard pictures of the skin and its buttons for the current view.

class Ticker;
class QuoteGet;

void ApplyDefaultSkin(Ticker& ticker, QuoteGet& quotes);
