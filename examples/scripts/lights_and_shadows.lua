-- The example scene "courtyard" with its lights' shadows under the keyboard:
--   1, 2, 3  the shadows of the sun, the spot light and the lamp on and off
--   Up/Down  softer or harder shadows: all three share one shadow-map fuzz,
--            2 to start, 0 to 32
--   D        the debug thumbnails of the frame's buffers on and off
--   Escape   quit
-- Run it from the top of the repository:  build/tesk examples/scripts/lights_and_shadows.lua
-- TESK_EXAMPLE_FRAMES=N stops it after N frames.

local frameLimit = tonumber(os.getenv("TESK_EXAMPLE_FRAMES"))

tk.Setup(1280, 720, 32, true)

tk.SetDir("../scenes/courtyard")
local scene = 0
local lightBase = 100
tk.LoadScene("courtyard.tscn", scene, 100, lightBase, 100, 100, 100, 1, 100, false, "courtyard")
tk.ShowScene(scene)
tk.HideLight(0)  -- the engine's default light: the scene brings its own

-- The scene's lights in its order, each shadowed as the scene loads them.
local lights = {
  { name = "sun", id = lightBase, key = 49, shadows = true },       -- the 1 key
  { name = "spot", id = lightBase + 1, key = 50, shadows = true },  -- the 2 key
  { name = "lamp", id = lightBase + 2, key = 51, shadows = true },  -- the 3 key
}
local KEY_UP, KEY_DOWN, KEY_D = 38, 40, 68
local fuzz, fuzzStep, fuzzMax = 2, 1, 32
local debugView = false

print("lights_and_shadows: 1, 2, 3 toggle the shadows of the sun, the spot and the lamp;")
print("  Up/Down soften or harden all shadows; D shows the debug thumbnails; Escape quits")

local held = {}
-- True once for each press of the key.
local function pressed(key)
  local down = tk.KeyState(key)
  local now = down and not held[key]
  held[key] = down
  return now
end

local function setFuzz(value)
  fuzz = math.max(0, math.min(fuzzMax, value))
  for _, light in ipairs(lights) do tk.SetShadowMapFuzz(light.id, fuzz) end
  print(string.format("shadow fuzz %g", fuzz))
end

local length = tk.SceneAnimTimeEnd(scene)
local start = tk.Timer()
local frames = 0
setFuzz(fuzz)

while tk.Run() and not tk.EscapeKey() do
  for _, light in ipairs(lights) do
    if pressed(light.key) then
      light.shadows = not light.shadows
      tk.SetLightShadow(light.id, light.shadows)
      print(string.format("%s shadows %s", light.name, light.shadows and "on" or "off"))
    end
  end
  if pressed(KEY_UP) then setFuzz(fuzz + fuzzStep) end
  if pressed(KEY_DOWN) then setFuzz(fuzz - fuzzStep) end
  if pressed(KEY_D) then
    debugView = not debugView
    tk.RenderSetDebug(debugView and 1 or 0)
  end
  local time = tk.Timer() - start
  tk.AnimateScene(scene, length > 0 and time % length or 0)
  tk.Sync()
  frames = frames + 1
  if frameLimit and frames >= frameLimit then break end
end

tk.DeleteScene(scene)
tk.Term()
