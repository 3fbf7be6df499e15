"""The winning game of the ordered deal, read from the C++ header the unit
tests play it from (board/tests/ordered_deal_script.h), so an end-to-end
test plays exactly the game the unit tests trust.

Each step is (from, to, card): lay the top card of fan `from` on fan `to`,
or with to == 0 play it to its foundation; `card` is the card on top of
`from` at that moment (codes 1..52, thirteen to a suit).
"""
import os
import re

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "board", "tests",
                      "ordered_deal_script.h")
FANS = 18


def winning_steps(header=HEADER):
    with open(header, encoding="utf-8") as f:
        text = f.read()
    body = text[text.index("kOrderedDealWin[]"):]
    body = body[:body.index("};")]
    steps = []
    for kind, args in re.findall(r"\b(Move|Foundation)\(([^)]*)\)", body):
        numbers = [int(n) for n in args.split(",")]
        steps.append((numbers[0], numbers[1], numbers[2]) if kind == "Move" else (numbers[0], 0, numbers[1]))
    if len(steps) < 52:
        raise ValueError(f"{header}: {len(steps)} steps cannot win a game of 52 cards")
    return steps


def suit(card):
    return (card - 1) // 13 + 1


def is_ace(card):
    return (card - 1) % 13 == 0


def fan_base_slot(fan):
    """The slot of a fan's bottom card: three slots to a fan, the last fan's
    single card at slot 52 with room for two more after it."""
    return 52 if fan == FANS else 3 * fan - 2


def dealt_counts():
    return {fan: (1 if fan == FANS else 3) for fan in range(1, FANS + 1)}
