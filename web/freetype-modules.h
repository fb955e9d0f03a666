/* The FreeType modules the page's program has: the font is TrueType with its own hinting program,
 * drawn anti-aliased. The others (the auto-hinter, CFF, Type 1, the bitmap formats, the SDF and SVG
 * renderers, ...) would only add weight: the frame is the same byte for byte without them.
 * FreeType reads this in place of its own list (web/build-deps.sh). */
FT_USE_MODULE(FT_Driver_ClassRec, tt_driver_class)
FT_USE_MODULE(FT_Module_Class, sfnt_module_class)
FT_USE_MODULE(FT_Renderer_Class, ft_smooth_renderer_class)
