-- Drawing over the frame: text, boxes and lines, a picture pasted at its own
-- size and stretched, a picture-in-picture of the scene rendered into an
-- image, a panel drawn by an effect and the picture-in-picture rippling
-- through another. The camera turns with a joystick's stick or hat, or with
-- the arrow keys; Escape quits.
-- Run it from the top of the repository:  build/tesk examples/scripts/overlay.lua
-- TESK_EXAMPLE_FRAMES=N stops it after N frames.

local frameLimit = tonumber(os.getenv("TESK_EXAMPLE_FRAMES"))

tk.Setup(1280, 720, 32, true)
local width, height = tk.ScreenWidth(), tk.ScreenHeight()

tk.SetDir("../scenes/orbit")
local scene = 0
tk.LoadScene("orbit.tscn", scene, 100, 100, 100, 100, 100, 1, 100, false, "orbit")
tk.ShowScene(scene)

-- Names from here on are found from the scene's folder.
local picture, pip = 1, 2
tk.LoadImage("../gallery/tiles.bmp", picture)
-- Render-target images need a driver that makes them; without, no picture-in-picture.
local hasPip = pcall(tk.MakeImage, 320, 180, pip)

local panel, ripple = 1, 2
tk.LoadEffect("../../shaders/Panel.hlsl", panel)
tk.LoadEffect("../../shaders/Ripple.hlsl", ripple)

tk.EnableJoystick()

local yaw, pitch = 0, 0
local function steer(seconds)
  local turn = 60 * seconds
  local x, y = tk.JoystickX() / 32768, tk.JoystickY() / 32768
  if tk.LeftKey() or tk.JoystickLeft() then x = -1 end
  if tk.RightKey() or tk.JoystickRight() then x = 1 end
  if tk.UpKey() or tk.JoystickUp() then y = -1 end
  if tk.DownKey() or tk.JoystickDown() then y = 1 end
  yaw = yaw + x * turn
  pitch = math.max(-60, math.min(60, pitch + y * turn))
end

local length = tk.SceneAnimTimeEnd(scene)
local start, last = tk.Timer(), tk.Timer()
local frames = 0
while tk.Run() and not tk.EscapeKey() do
  local now = tk.Timer()
  steer((now - last) / 1000)
  last = now
  tk.AnimateScene(scene, length > 0 and (now - start) % length or 0)
  tk.RotateCamera(pitch, yaw, 0)

  if hasPip then tk.RenderToImage(pip) end

  -- A dark strip with a title and a rule under it.
  tk.Ink(tk.RGB(0, 0, 0))
  tk.InkAlpha(140)
  tk.Box(0, 0, width, 60)
  tk.Ink(tk.RGB(255, 200, 80))
  tk.InkAlpha(255)
  tk.Line(20, 52, width - 20, 52)
  tk.SetTextColor(tk.RGB(255, 255, 255))
  tk.Text(20, 14, "tesk overlay", "frame", frames, "joystick", tk.JoystickIsPresent())
  local fps = string.format("%d s", math.floor((now - start) / 1000))
  tk.Text(width - 20 - tk.TextWidth(fps), 14, fps)

  -- The picture at its size, and stretched beside it with half its alpha.
  tk.SetImageAlpha(255)
  tk.PasteImage(picture, 20, 80)
  tk.SetImageAlpha(128)
  tk.PasteImageStretch(picture, 20 + tk.ImageWidth(picture) + 20, 80, 200, 100, true)
  tk.SetImageAlpha(255)

  -- A panel drawn by an effect, holding the picture-in-picture.
  tk.Ink(tk.RGB(40, 70, 120))
  tk.InkAlpha(220)
  tk.BoxWithEffect(width - 370, height - 240, width - 10, height - 10, panel)
  if hasPip then
    tk.SetEffectConstantFloat(ripple, "Phase", (now - start) / 150)
    tk.PasteImageWithEffect(pip, width - 350, height - 220, 320, 180, ripple)
  end

  tk.Sync()
  frames = frames + 1
  if frameLimit and frames >= frameLimit then break end
end

tk.DisableJoystick()
tk.DeleteEffect(ripple)
tk.DeleteEffect(panel)
if hasPip then tk.DeleteImage(pip) end
tk.DeleteImage(picture)
tk.DeleteScene(scene)
