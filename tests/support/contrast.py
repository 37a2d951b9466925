"""WCAG's contrast ratio, for the tests that measure how colours stand out."""


def luminance(colour):
    """The relative luminance of an (r, g, b) colour, 0 to 1."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in colour[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    """From 1 (the same) to 21 (black on white)."""
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)
